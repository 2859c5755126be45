#include "TerminalProgress.h"

#include "TerminalOutput.h"

#include "net/Unicode.h"

namespace kelo::cli {
namespace {

volatile std::sig_atomic_t gCancel = 0;

void OnInterrupt(int) { gCancel = 1; }

} // namespace

TerminalProgress::TerminalProgress() : shown_(TerminalOutput::ErrorIsTerminal()) {}

TerminalProgress::~TerminalProgress() {
    if (open_)
        Close();
}

void TerminalProgress::Open() {
    if (open_)
        return;
    open_ = true;
    gCancel = 0;
    rows_ = totalItems_ = page_ = totalPages_ = 0;
    struct sigaction cancel {};
    cancel.sa_handler = OnInterrupt;
    cancel.sa_flags = SA_RESETHAND;
    sigemptyset(&cancel.sa_mask);
    sigaction(SIGINT, &cancel, &previous_);
    Draw();
}

void TerminalProgress::SetStatus(std::string_view text) {
    status_ = SjisToUtf8(text);
    Draw();
}

void TerminalProgress::SetTotalItems(int items) {
    totalItems_ = items;
    rows_ = 0;
    Draw();
}

void TerminalProgress::SetTotalPages(int pages) {
    totalPages_ = pages;
    page_ = 1;
    Draw();
}

void TerminalProgress::StepItem() {
    ++rows_;
    Draw();
}

void TerminalProgress::StepPage() {
    ++page_;
    Draw();
}

void TerminalProgress::Close() {
    if (!open_)
        return;
    open_ = false;
    sigaction(SIGINT, &previous_, nullptr);
    if (shown_)
        TerminalOutput::Error("\r\x1b[K");
}

bool TerminalProgress::CancelRequested() const { return open_ && gCancel != 0; }

void TerminalProgress::Draw() {
    if (!shown_ || !open_)
        return;
    std::string line = "\r\x1b[K" + status_;
    line += " " + std::to_string(rows_) + "/" + std::to_string(totalItems_) + " rows";
    if (totalPages_ > 0)
        line += ", page " + std::to_string(page_) + "/" + std::to_string(totalPages_);
    TerminalOutput::Error(line);
}

} // namespace kelo::cli
