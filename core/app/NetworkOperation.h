#pragma once
// One network operation at a time. A command that the message pump lets run
// in the middle of a listing or a bid must not start a second exchange with
// the site: it is refused with a message and the running one goes on.

namespace kelo {

class NetworkOperation {
public:
    // Takes the slot, or shows the busy message when an operation runs.
    NetworkOperation();
    ~NetworkOperation();
    NetworkOperation(const NetworkOperation&) = delete;
    NetworkOperation& operator=(const NetworkOperation&) = delete;

    bool Started() const { return started_; }
    static bool Busy();

private:
    bool started_;
};

} // namespace kelo
