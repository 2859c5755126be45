#pragma once
// The one rule for the numbers a user types into the bid dialogs: a whole
// number above 0, nothing else, so that no bid of 0 ever leaves the program.

#include <string>
#include <string_view>

namespace kelo {

struct BidEntry;

// A whole decimal number of at least 1 that fits the bid request, with
// surrounding spaces allowed; false for anything else (value untouched).
bool ParseBidNumber(std::string_view text, int& value);

// Checks amount and quantity of an entry. On refusal message holds the
// Shift_JIS text to show, naming the field that is wrong.
bool CheckBidEntry(const BidEntry& entry, int& amount, int& quantity, std::string& message);
// The same check for numbers already converted.
bool CheckBidNumbers(int amount, int quantity, std::string& message);
// The same check for the amount typed into the re-bid dialog.
bool CheckRebidAmount(std::string_view text, int& amount, std::string& message);

} // namespace kelo
