#include "TerminalMessageBox.h"

#include "TerminalOutput.h"

#include "net/Unicode.h"

namespace kelo::cli {

MessageAnswer TerminalMessageBox::ShowMessage(std::string_view text, MessageIcon, MessageButtons buttons) {
    ++shown_;
    // On a terminal the message takes the place of a progress line.
    const char* clearLine = TerminalOutput::ErrorIsTerminal() ? "\r\x1b[K" : "";
    TerminalOutput::Error(clearLine + ("Kelo: " + SjisToUtf8(text)) + "\n");
    // Nobody reads the answer; give the one that goes on without a retry.
    switch (buttons) {
    case MessageButtons::AbortRetryIgnore:
        return MessageAnswer::Ignore;
    case MessageButtons::YesNo:
        return MessageAnswer::No;
    case MessageButtons::OkCancel:
        return MessageAnswer::Cancel;
    case MessageButtons::Ok:
        break;
    }
    return MessageAnswer::Ok;
}

} // namespace kelo::cli
