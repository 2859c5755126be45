#pragma once
// The progress dialog on a terminal: one line on standard error, rewritten
// in place, and only when standard error is a terminal. Ctrl+C while it is
// open is its Cancel button; a second Ctrl+C ends the program as usual.

#include "listing/ProgressDialog.h"

#include <csignal>
#include <string>

namespace kelo::cli {

class TerminalProgress : public ProgressDialog {
public:
    TerminalProgress();
    ~TerminalProgress() override;

    void Open() override;
    bool IsOpen() const override { return open_; }
    void SetStatus(std::string_view text) override;
    void SetTotalItems(int items) override;
    void SetTotalPages(int pages) override;
    void StepItem() override;
    void StepPage() override;
    void SetCurrentTitle(std::string_view) override {}
    void Close() override;
    bool CancelRequested() const override;

private:
    void Draw();

    bool shown_;
    bool open_ = false;
    std::string status_;
    int rows_ = 0;
    int totalItems_ = 0;
    int page_ = 0;
    int totalPages_ = 0;
    struct sigaction previous_ {};
};

} // namespace kelo::cli
