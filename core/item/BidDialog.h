#pragma once
// The bid dialog: the user's amount, password, quantity and comment for one
// bid on one item. The texts are Shift_JIS, as typed.

#include <string>

namespace kelo {

struct BidEntry {
    std::string title;  // the heading: the item's title
    std::string amount; // free text until CheckBidEntry has accepted it
    std::string password;
    std::string quantity; // the caller offers "1"
    std::string comment;  // never sent to the site
};

class BidDialog {
public:
    virtual ~BidDialog() = default;
    // Shows the entry and lets the user change it; true when the user pressed
    // the bid button. A dialog refuses amounts and quantities that
    // CheckBidEntry refuses, showing its message and staying open.
    virtual bool ShowBidDialog(BidEntry& entry) = 0;
};

} // namespace kelo
