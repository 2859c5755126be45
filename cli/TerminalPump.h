#pragma once
// A terminal has no window messages: the only thing a user can do during a
// listing is Ctrl+C, which the progress display handles.

#include "app/MessagePump.h"

namespace kelo::cli {

class TerminalPump : public MessagePump {
public:
    void PumpOneMessage() override {}
};

} // namespace kelo::cli
