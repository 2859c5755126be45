#pragma once
// The browser pane as the item operations drive it.

#include <string_view>

namespace kelo {

class Browser {
public:
    virtual ~Browser() = default;
    // Navigates to a saved page's path or to an address. Callers pass the item
    // summary's result unchecked, so an empty text must be harmless.
    virtual void ShowInBrowser(std::string_view pathOrUrl) = 0;
};

} // namespace kelo
