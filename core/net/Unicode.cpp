#include "net/Unicode.h"

#include <cerrno>
#include <iconv.h>

namespace kelo {
namespace {

// Converts with iconv; an unconvertible or cut-off sequence becomes one "?"
// and the walk goes on after its first byte.
std::string Convert(const char* to, const char* from, std::string_view in) {
    std::string out;
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1))
        return std::string(in);
    out.reserve(in.size() * 3 / 2 + 4);
    char* src = const_cast<char*>(in.data());
    std::size_t srcLeft = in.size();
    char buffer[4096];
    while (srcLeft > 0) {
        char* dst = buffer;
        std::size_t dstLeft = sizeof buffer;
        std::size_t rc = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
        out.append(buffer, static_cast<std::size_t>(dst - buffer));
        if (rc == static_cast<std::size_t>(-1) && errno != E2BIG) {
            out.push_back('?');
            ++src;
            --srcLeft;
        }
    }
    iconv_close(cd);
    return out;
}

} // namespace

std::string SjisToUtf8(std::string_view sjis) { return Convert("UTF-8", "CP932", sjis); }
std::string Utf8ToSjis(std::string_view utf8) { return Convert("CP932", "UTF-8", utf8); }

} // namespace kelo
