#include "listing/RowCut.h"

#include "net/JString.h"

namespace kelo {

long CutBetween(std::string_view text, std::string_view start, std::string_view end, std::string& out,
                long from) {
    const long at = ExtractBetweenInto(text, start, end, out, from);
    if (at < 0)
        return -1;
    return at + static_cast<long>(out.size());
}

} // namespace kelo
