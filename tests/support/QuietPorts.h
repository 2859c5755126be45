#pragma once
// A progress dialog that shows nothing and a message pump with no messages,
// for running listings where nobody watches: end-to-end checks and benchmarks.

#include "app/MessagePump.h"
#include "listing/ProgressDialog.h"

namespace kelo::test {

class QuietProgress : public ProgressDialog {
public:
    void Open() override { open_ = true; }
    bool IsOpen() const override { return open_; }
    void SetStatus(std::string_view) override {}
    void SetTotalItems(int) override {}
    void SetTotalPages(int) override {}
    void StepItem() override {}
    void StepPage() override {}
    void SetCurrentTitle(std::string_view) override {}
    void Close() override { open_ = false; }
    bool CancelRequested() const override { return false; }

private:
    bool open_ = false;
};

class NoMessages : public MessagePump {
public:
    void PumpOneMessage() override {}
};

} // namespace kelo::test
