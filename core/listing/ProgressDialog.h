#pragma once
// The small progress window a listing shows while it loads page after page.

#include <string_view>

namespace kelo {

class ProgressDialog {
public:
    virtual ~ProgressDialog() = default;

    // Shows the window; an open one is reused unchanged. Opening a closed
    // window forgets an earlier cancel request.
    virtual void Open() = 0;
    virtual bool IsOpen() const = 0;
    virtual void SetStatus(std::string_view text) = 0;
    // The listing's item total and page total, as the first page gives them;
    // each resets its bar.
    virtual void SetTotalItems(int items) = 0;
    virtual void SetTotalPages(int pages) = 0;
    // One more row handled (shown or hidden by the blacklist).
    virtual void StepItem() = 0;
    // One more page reached through the next-50 link.
    virtual void StepPage() = 0;
    // The title of the row being handled.
    virtual void SetCurrentTitle(std::string_view title) = 0;
    virtual void Close() = 0;
    // True once the user pressed Cancel in the open window: the listing stops
    // after the current row and keeps the rows loaded so far.
    virtual bool CancelRequested() const = 0;
};

} // namespace kelo
