#include "TerminalBidPlaceDialog.h"

#include "TerminalOutput.h"

#include "item/BidEntryCheck.h"
#include "net/Unicode.h"

#include <string>

namespace kelo::cli {

bool TerminalBidPlaceDialog::ShowBidPlace(BidPlaceMode mode, std::string_view message, std::string& amount) {
    TerminalOutput::Out(SjisToUtf8(message));
    std::string answer;
    if (mode == BidPlaceMode::Confirm) {
        TerminalOutput::Out(SjisToUtf8("確認 [y/N]: "));
        if (!TerminalOutput::ReadLine(answer))
            return false;
        return answer == "y" || answer == "Y";
    }
    for (;;) {
        TerminalOutput::Out(SjisToUtf8("再入札額 [" + amount + "] (n: 中止): "));
        if (!TerminalOutput::ReadLine(answer) || answer == "n" || answer == "N")
            return false;
        if (answer.empty())
            return true;
        int value = 0;
        std::string refusal;
        if (CheckRebidAmount(answer, value, refusal)) {
            amount = std::to_string(value);
            return true;
        }
        TerminalOutput::Error("Kelo: " + SjisToUtf8(refusal) + "\n");
    }
}

} // namespace kelo::cli
