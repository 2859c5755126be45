#pragma once
// The field cut the loaders chain through a row: each search starts where the
// previous field ended, so a row is read once from left to right.

#include <string>
#include <string_view>

namespace kelo {

// Replaces out with the text between start (found at or after from) and the
// next end, both matched from a Shift_JIS character start. Returns the offset
// where end begins, the next field's starting point; -1 when a marker is
// missing or from is -1, leaving out untouched, so that every later field of
// the chain comes out empty too.
long CutBetween(std::string_view text, std::string_view start, std::string_view end, std::string& out,
                long from);

} // namespace kelo
