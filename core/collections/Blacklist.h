#pragma once
// Titles the user never wants to see in keyword and category listings,
// one per line of "black.lst" in the working folder, read once per run.

#include <string>
#include <string_view>
#include <vector>

namespace kelo {

class Blacklist {
public:
    // Reads "black.lst" (or path) in pieces of at most 254 bytes; a missing
    // file leaves the list empty.
    void Load(const std::string& path = "black.lst");
    // True when some entry contains the title, matched from a character start.
    // An empty title is never black: a row whose title could not be read stays.
    bool IsBlackTitle(std::string_view title) const;
    const std::vector<std::string>& Entries() const { return entries_; }

private:
    std::vector<std::string> entries_;
};

} // namespace kelo
