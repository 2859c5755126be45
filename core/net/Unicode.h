#pragma once
// The one crossing between the core's Shift_JIS text and the front ends'
// Unicode. Bytes that do not convert become "?" so that nothing is dropped
// silently in the middle of a line.

#include <string>
#include <string_view>

namespace kelo {

std::string SjisToUtf8(std::string_view sjis);
std::string Utf8ToSjis(std::string_view utf8);

} // namespace kelo
