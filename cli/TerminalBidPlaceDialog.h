#pragma once
// The bid exchange's confirmation dialog on a terminal: the site's message
// on standard output, a prompt, and one answer line from standard input.

#include "item/BidPlaceDialog.h"

namespace kelo::cli {

class TerminalBidPlaceDialog : public BidPlaceDialog {
public:
    // Confirm mode: "y" presses the default button, anything else cancels.
    // Re-bid mode: a number is the new amount, an empty line takes the
    // offered one, "n" cancels; a refused number asks again. The end of the
    // input cancels.
    bool ShowBidPlace(BidPlaceMode mode, std::string_view message, std::string& amount) override;
};

} // namespace kelo::cli
