#include "app/MessageBox.h"

#include <cstdio>

namespace kelo {
namespace {

class StandardErrorMessages : public MessageBoxPort {
public:
    MessageAnswer ShowMessage(std::string_view text, MessageIcon, MessageButtons) override {
        std::fprintf(stderr, "Kelo: %.*s\n", static_cast<int>(text.size()), text.data());
        return MessageAnswer::Ok;
    }
};

StandardErrorMessages gStandardError;
MessageBoxPort* gPort = &gStandardError;

} // namespace

MessageAnswer ShowMessageBox(std::string_view text, MessageIcon icon, MessageButtons buttons) {
    return gPort->ShowMessage(text, icon, buttons);
}

void SetMessageBoxPort(MessageBoxPort& port) { gPort = &port; }
void ResetMessageBoxPort() { gPort = &gStandardError; }

} // namespace kelo
