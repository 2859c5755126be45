#include "TextCodec.h"

#include <cerrno>
#include <iconv.h>

namespace sitesim {

bool TextCodec::Convert(const char* to, const char* from, std::string_view in, std::string& out)
{
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1))
        return false;
    std::string result(in.size() * 2 + 16, '\0');
    char* inPtr = const_cast<char*>(in.data());
    size_t inLeft = in.size();
    size_t done = 0;
    bool ok = true;
    while (inLeft > 0) {
        char* outPtr = result.data() + done;
        size_t outLeft = result.size() - done;
        size_t rc = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
        done = result.size() - outLeft;
        if (rc != static_cast<size_t>(-1))
            continue;
        if (errno == E2BIG) {
            result.resize(result.size() * 2);
            continue;
        }
        ok = false;
        break;
    }
    iconv_close(cd);
    if (!ok)
        return false;
    result.resize(done);
    out = std::move(result);
    return true;
}

bool TextCodec::Utf8ToEucJp(std::string_view utf8, std::string& out)
{
    return Convert("EUC-JP", "UTF-8", utf8, out);
}

bool TextCodec::Utf8ToShiftJis(std::string_view utf8, std::string& out)
{
    return Convert("CP932", "UTF-8", utf8, out);
}

bool TextCodec::EucJpToUtf8(std::string_view euc, std::string& out)
{
    return Convert("UTF-8", "EUC-JP", euc, out);
}

static int HexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

std::string TextCodec::FormDecode(std::string_view value)
{
    std::string out;
    out.reserve(value.size());
    for (size_t i = 0; i < value.size(); ++i) {
        char c = value[i];
        if (c == '+') {
            out += ' ';
        } else if (c == '%' && i + 2 < value.size() && HexValue(value[i + 1]) >= 0 && HexValue(value[i + 2]) >= 0) {
            out += static_cast<char>(HexValue(value[i + 1]) * 16 + HexValue(value[i + 2]));
            i += 2;
        } else {
            out += c;
        }
    }
    return out;
}

std::string TextCodec::FormEncode(std::string_view bytes)
{
    static const char hex[] = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : bytes) {
        if ((c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '-' || c == '_'
            || c == '.' || c == '*') {
            out += static_cast<char>(c);
        } else if (c == ' ') {
            out += '+';
        } else {
            out += '%';
            out += hex[c >> 4];
            out += hex[c & 15];
        }
    }
    return out;
}

std::string TextCodec::HtmlEscape(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        default: out += c;
        }
    }
    return out;
}

} // namespace sitesim
