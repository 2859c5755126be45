#pragma once
// The message box the core reports failures through. Texts are the system's
// own Shift_JIS messages; the caption is always the application title.

#include <string_view>

namespace kelo {

enum class MessageIcon { Exclamation, Information, Question };
enum class MessageButtons { Ok, OkCancel, YesNo, AbortRetryIgnore };
enum class MessageAnswer { Ok, Cancel, Yes, No, Abort, Retry, Ignore };

class MessageBoxPort {
public:
    virtual ~MessageBoxPort() = default;
    virtual MessageAnswer ShowMessage(std::string_view text, MessageIcon icon,
                                      MessageButtons buttons) = 0;
};

// Routes to the port a front end installed; until then messages go to
// standard error as "Kelo: " and the text.
MessageAnswer ShowMessageBox(std::string_view text, MessageIcon icon = MessageIcon::Exclamation,
                             MessageButtons buttons = MessageButtons::Ok);
void SetMessageBoxPort(MessageBoxPort& port);
void ResetMessageBoxPort();

} // namespace kelo
