#include "item/BidEntryCheck.h"

#include "item/BidDialog.h"

#include <climits>

namespace kelo {
namespace {

std::string_view TrimSpaces(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

} // namespace

bool ParseBidNumber(std::string_view text, int& value) {
    text = TrimSpaces(text);
    if (text.empty())
        return false;
    long long number = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return false;
        number = number * 10 + (c - '0');
        // The request writes the amount as a C int; a larger one would wrap.
        if (number > INT_MAX)
            return false;
    }
    if (number < 1)
        return false;
    value = static_cast<int>(number);
    return true;
}

const char* const AMOUNT_REFUSAL = "入札金額は1以上の整数で入力して下さい。";
const char* const QUANTITY_REFUSAL = "個数は1以上の整数で入力して下さい。";

bool CheckRebidAmount(std::string_view text, int& amount, std::string& message) {
    if (ParseBidNumber(text, amount))
        return true;
    message = AMOUNT_REFUSAL;
    return false;
}

bool CheckBidNumbers(int amount, int quantity, std::string& message) {
    if (amount < 1)
        message = AMOUNT_REFUSAL;
    else if (quantity < 1)
        message = QUANTITY_REFUSAL;
    return amount >= 1 && quantity >= 1;
}

bool CheckBidEntry(const BidEntry& entry, int& amount, int& quantity, std::string& message) {
    int checkedAmount = 0;
    if (!CheckRebidAmount(entry.amount, checkedAmount, message))
        return false;
    int checkedQuantity = 0;
    if (!ParseBidNumber(entry.quantity, checkedQuantity)) {
        message = QUANTITY_REFUSAL;
        return false;
    }
    amount = checkedAmount;
    quantity = checkedQuantity;
    return true;
}

} // namespace kelo
