#include "collections/Blacklist.h"

#include "net/JString.h"

#include <cstdio>
#include <cstring>

namespace kelo {
namespace {
constexpr int PIECE_BYTES = 254;
}

void Blacklist::Load(const std::string& path) {
    entries_.clear();
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        return;
    char piece[PIECE_BYTES + 1];
    while (std::fgets(piece, sizeof piece, file))
        entries_.emplace_back(piece, std::strlen(piece));
    std::fclose(file);
}

// The title is looked for inside each line, not the line inside the title: a
// line holding a whole title hides exactly that title and the titles that are
// some part of the line.
bool Blacklist::IsBlackTitle(std::string_view title) const {
    if (title.empty())
        return false;
    for (const std::string& entry : entries_)
        if (FindMarker(entry, title, 0) >= 0)
            return true;
    return false;
}

} // namespace kelo
