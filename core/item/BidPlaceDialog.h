#pragma once
// The confirmation dialog of the bid exchange. One dialog serves every step:
// the confirmation, each re-bid and the final highest-bid message.

#include <string>
#include <string_view>

namespace kelo {

enum class BidPlaceMode {
    Confirm, // the message and a "確認" default button, no amount field
    Rebid,   // the message, an amount field and a "再入札" default button
};

class BidPlaceDialog {
public:
    virtual ~BidPlaceDialog() = default;
    // Shows the site's message (Shift_JIS, line feeds kept). In re-bid mode
    // amount holds the offered amount on entry and the user's amount on
    // return. True when the user pressed the default button.
    virtual bool ShowBidPlace(BidPlaceMode mode, std::string_view message, std::string& amount) = 0;
};

} // namespace kelo
