#pragma once
// The single-message pump the loaders call after every row, so that the
// windows keep painting while a listing runs. Whatever it dispatches may be
// a command of the user, which is why the loaders keep their state per call.

namespace kelo {

class MessagePump {
public:
    virtual ~MessagePump() = default;
    // Dispatches at most one pending message; never waits.
    virtual void PumpOneMessage() = 0;
};

} // namespace kelo
