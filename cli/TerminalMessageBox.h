#pragma once
// Message boxes on a terminal: each message on standard error as "Kelo: "
// and its text in UTF-8, line feeds kept. Every message this system shows is
// a failure report, so the count decides the exit status.

#include "app/MessageBox.h"

namespace kelo::cli {

class TerminalMessageBox : public MessageBoxPort {
public:
    MessageAnswer ShowMessage(std::string_view text, MessageIcon icon, MessageButtons buttons) override;
    int Shown() const { return shown_; }

private:
    int shown_ = 0;
};

} // namespace kelo::cli
