#pragma once
// The browser pane of a terminal: it shows nothing and keeps the page it was
// sent to, which the item command prints as the saved file.

#include "item/Browser.h"

#include <string>

namespace kelo::cli {

class TerminalBrowser : public Browser {
public:
    void ShowInBrowser(std::string_view pathOrUrl) override { shown_.assign(pathOrUrl); }
    const std::string& Shown() const { return shown_; }

private:
    std::string shown_;
};

} // namespace kelo::cli
