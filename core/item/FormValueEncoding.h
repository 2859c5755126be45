#pragma once
// Values put into a query the way a browser submits a form of an EUC-JP page:
// Shift_JIS text turned into EUC-JP, then percent-encoded with "+" for a
// space, so that "&", "=", "%", "+" and "#" arrive as typed.

#include <string>
#include <string_view>

namespace kelo {

std::string EncodeFormValue(std::string_view sjis);

} // namespace kelo
