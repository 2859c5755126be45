#include "item/FormValueEncoding.h"

#include "net/JString.h"

namespace kelo {
namespace {

bool IsSjisTrailByte(unsigned char byte) {
    return byte >= 0x40 && byte <= 0xFC && byte != 0x7F;
}

bool IsFormSafe(unsigned char byte) {
    return (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') || (byte >= '0' && byte <= '9') ||
           byte == '*' || byte == '-' || byte == '.' || byte == '_';
}

void AppendEncoded(std::string& out, unsigned char byte) {
    static constexpr char hex[] = "0123456789ABCDEF";
    if (IsFormSafe(byte)) {
        out += static_cast<char>(byte);
    } else if (byte == ' ') {
        out += '+';
    } else {
        out += '%';
        out += hex[byte >> 4];
        out += hex[byte & 0x0F];
    }
}

} // namespace

std::string EncodeFormValue(std::string_view sjis) {
    std::string out;
    out.reserve(sjis.size() * 3);
    for (std::size_t at = 0; at < sjis.size(); ++at) {
        const auto byte = static_cast<unsigned char>(sjis[at]);
        if (IsSjisLeadByte(byte) && at + 1 < sjis.size() &&
            IsSjisTrailByte(static_cast<unsigned char>(sjis[at + 1]))) {
            unsigned char euc[2];
            SjisToEuc(byte, static_cast<unsigned char>(sjis[at + 1]), euc);
            AppendEncoded(out, euc[0]);
            AppendEncoded(out, euc[1]);
            ++at;
        } else if (byte >= 0xA1 && byte <= 0xDF) {
            // Half-width katakana: EUC-JP writes them after a 0x8E.
            AppendEncoded(out, 0x8E);
            AppendEncoded(out, byte);
        } else {
            AppendEncoded(out, byte);
        }
    }
    return out;
}

} // namespace kelo
