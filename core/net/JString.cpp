#include "net/JString.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace kelo {
namespace {

constexpr unsigned char OFF_GRID_FIRST = 0xEF;
constexpr unsigned char OFF_GRID_SECOND = 0xFC;

constexpr bool OnJisGrid(unsigned code) { return code >= 0x21 && code <= 0x7E; }

constexpr unsigned char SjisFirstByte(unsigned row) {
    unsigned first = ((row - 0x21) >> 1) + 0x81;
    return static_cast<unsigned char>(first > 0x9F ? first + 0x40 : first);
}

constexpr unsigned char SjisSecondByte(unsigned row, unsigned cell) {
    unsigned second = cell + ((row & 1) ? 0x1F : 0x7D);
    return static_cast<unsigned char>(second >= 0x7F ? second + 1 : second);
}

// The conversion's pairs by table, indexed by the EUC-JP bytes themselves;
// 0 marks a byte whose low seven bits are off the grid. Japanese runs are a
// large share of a page, and the tables keep them free of branches.
struct EucPairTables {
    unsigned char first[256] = {};
    unsigned char secondOddRow[256] = {};
    unsigned char secondEvenRow[256] = {};
};

constexpr EucPairTables MakeEucPairTables() {
    EucPairTables tables;
    for (unsigned byte = 0; byte < 256; ++byte) {
        unsigned code = byte & 0x7F;
        if (!OnJisGrid(code))
            continue;
        if (byte >= 0xA1)
            tables.first[byte] = SjisFirstByte(code);
        tables.secondOddRow[byte] = SjisSecondByte(0x21, code);
        tables.secondEvenRow[byte] = SjisSecondByte(0x22, code);
    }
    return tables;
}

constexpr EucPairTables EUC_PAIRS = MakeEucPairTables();

// One EUC-JP pair (lead 0xA1-0xFF) as Shift_JIS, written at out.
void ConvertEucPair(unsigned char lead, unsigned char second, unsigned char* out) {
    unsigned char first = EUC_PAIRS.first[lead];
    unsigned char trail = (lead & 1) ? EUC_PAIRS.secondOddRow[second] : EUC_PAIRS.secondEvenRow[second];
    if (first == 0 || trail == 0) {
        first = OFF_GRID_FIRST;
        trail = OFF_GRID_SECOND;
    }
    out[0] = first;
    out[1] = trail;
}

unsigned char ByteAt(std::string_view text, std::size_t index) {
    return static_cast<unsigned char>(text[index]);
}

bool FromIsInside(std::string_view text, long from) {
    return from >= 0 && static_cast<std::size_t>(from) <= text.size();
}

// Plain byte search at or after from; npos when absent. The fields of a page
// lie a few dozen bytes apart, where memmem's set-up costs more than the
// search itself: a memchr for the marker's first byte, then a compare, is
// faster there, and markers are short enough that the worst case stays cheap.
std::size_t FindBytes(std::string_view text, std::string_view marker, std::size_t from) {
    if (marker.size() > text.size() - from)
        return std::string_view::npos;
    if (marker.empty())
        return from;
    const char* candidate = text.data() + from;
    const char* last = text.data() + (text.size() - marker.size());
    while (candidate <= last) {
        const void* first = std::memchr(candidate, marker[0], static_cast<std::size_t>(last - candidate) + 1);
        if (first == nullptr)
            return std::string_view::npos;
        candidate = static_cast<const char*>(first);
        if (std::memcmp(candidate + 1, marker.data() + 1, marker.size() - 1) == 0)
            return static_cast<std::size_t>(candidate - text.data());
        ++candidate;
    }
    return std::string_view::npos;
}

// Whether a Shift_JIS character begins at pos, with lead bytes counted from the
// start of the text. Walking from 0 for every candidate would make a chain of
// field searches quadratic, so the walk starts from the nearest byte that
// cannot be a lead byte: the byte after it always begins a character, whether
// it stands alone or ends a pair. known is a character start at or before pos
// and moves forward with each call.
bool BeginsCharacter(std::string_view text, std::size_t pos, std::size_t& known) {
    std::size_t walk = pos;
    while (walk > known && IsSjisLeadByte(ByteAt(text, walk - 1)))
        --walk;
    while (walk < pos)
        walk += IsSjisLeadByte(ByteAt(text, walk)) ? 2 : 1;
    known = walk;
    return walk == pos;
}

// The value between the markers, as [begin, end) byte offsets; false when a
// marker is missing.
struct Span {
    std::size_t begin = 0;
    std::size_t end = 0;
};

bool FindValue(std::string_view text, std::string_view start, std::optional<std::string_view> end,
               long from, Span& span) {
    long startAt = FindMarker(text, start, from);
    if (startAt < 0)
        return false;
    span.begin = static_cast<std::size_t>(startAt) + start.size();
    if (!end) {
        span.end = text.size();
        return true;
    }
    long endAt = FindMarker(text, *end, static_cast<long>(span.begin));
    if (endAt < 0)
        return false;
    span.end = static_cast<std::size_t>(endAt);
    return true;
}

void AppendPercentByte(std::string& out, unsigned char byte) {
    static constexpr char HEX[] = "0123456789ABCDEF";
    out.push_back('%');
    out.push_back(HEX[byte >> 4]);
    out.push_back(HEX[byte & 0x0F]);
}

// Lead bytes as the keyword encoding knows them: the pairs of JIS X 0208 only.
bool IsKeywordLeadByte(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xEF);
}

bool IsKeywordTrailByte(unsigned char byte) {
    return (byte >= 0x40 && byte <= 0x7E) || (byte >= 0x80 && byte <= 0xFC);
}

// What a browser's form leaves unencoded in a query value.
bool IsUnreservedQueryByte(unsigned char byte) {
    return (byte >= 'a' && byte <= 'z') || (byte >= 'A' && byte <= 'Z') || (byte >= '0' && byte <= '9') ||
           byte == '-' || byte == '_' || byte == '.' || byte == '*';
}

bool IsHalfWidthKatakana(unsigned char byte) { return byte >= 0xA1 && byte <= 0xDF; }

// Offset of the first byte at or after pos with its top bit set, or size.
// Pages are mostly ASCII markup, so whole words are tested at a time.
std::size_t SkipAscii(const unsigned char* bytes, std::size_t pos, std::size_t size) {
    constexpr std::uint64_t HIGH_BITS = 0x8080808080808080ULL;
    while (pos + 32 <= size) {
        std::uint64_t words[4];
        std::memcpy(words, bytes + pos, sizeof words);
        if ((words[0] | words[1] | words[2] | words[3]) & HIGH_BITS)
            break;
        pos += 32;
    }
    while (pos + 8 <= size) {
        std::uint64_t word;
        std::memcpy(&word, bytes + pos, sizeof word);
        if (word & HIGH_BITS)
            break;
        pos += 8;
    }
    while (pos < size && bytes[pos] < 0x80)
        ++pos;
    return pos;
}

} // namespace

bool IsSjisLeadByte(unsigned char byte) { return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC); }

long FindMarker(std::string_view text, std::string_view marker, long from) {
    if (!FromIsInside(text, from))
        return -1;
    std::size_t known = 0;
    std::size_t pos = static_cast<std::size_t>(from);
    while (pos <= text.size()) {
        std::size_t hit = FindBytes(text, marker, pos);
        if (hit == std::string_view::npos)
            return -1;
        if (BeginsCharacter(text, hit, known))
            return static_cast<long>(hit);
        pos = hit + 1;
    }
    return -1;
}

void JisToSjis(unsigned row, unsigned cell, unsigned char out[2]) {
    if (!OnJisGrid(row) || !OnJisGrid(cell)) {
        out[0] = OFF_GRID_FIRST;
        out[1] = OFF_GRID_SECOND;
        return;
    }
    out[0] = SjisFirstByte(row);
    out[1] = SjisSecondByte(row, cell);
}

void SjisToEuc(unsigned char first, unsigned char second, unsigned char out[2]) {
    int row = first <= 0x9F ? 2 * (first - 0x71) + 1 : 2 * (first - 0xB1) + 1;
    int cell;
    if (second >= 0x9F) {
        ++row;
        cell = second - 0x7E;
    } else if (second >= 0x80) {
        cell = second - 0x20;
    } else {
        cell = second - 0x1F;
    }
    out[0] = static_cast<unsigned char>(row | 0x80);
    out[1] = static_cast<unsigned char>(cell | 0x80);
}

void ConvertEucToSjis(std::string& text) {
    const std::size_t size = text.size();
    unsigned char* bytes = reinterpret_cast<unsigned char*>(text.data());
    std::size_t read = 0;
    std::size_t write = 0;
    while (read < size) {
        std::size_t asciiEnd = SkipAscii(bytes, read, size);
        if (write != read)
            std::memmove(bytes + write, bytes + read, asciiEnd - read);
        write += asciiEnd - read;
        read = asciiEnd;

        while (read < size && bytes[read] >= 0x80) {
            unsigned char lead = bytes[read];
            if (lead >= 0xA1) {
                if (read + 1 == size) {
                    // A pair cut off at the end still shows as one character.
                    // When nothing before it shrank, that needs one byte more
                    // than the input had; the string grows rather than being
                    // overrun.
                    text.resize(write);
                    text.push_back(static_cast<char>(OFF_GRID_FIRST));
                    text.push_back(static_cast<char>(OFF_GRID_SECOND));
                    return;
                }
                ConvertEucPair(lead, bytes[read + 1], bytes + write);
                write += 2;
                read += 2;
            } else if (lead == 0x8F) {
                // JIS X 0212 has no Shift_JIS form.
                bytes[write++] = '?';
                read = std::min(read + 3, size);
            } else if (lead == 0x8E) {
                bytes[write++] = read + 1 < size ? static_cast<unsigned char>(bytes[read + 1] | 0x80) : 0x80;
                read = std::min(read + 2, size);
            } else {
                bytes[write++] = lead;
                ++read;
            }
        }
    }
    text.resize(write);
}

std::string EncodeKeyword(std::string_view keyword) {
    std::string out;
    out.reserve(keyword.size() * 3);
    for (std::size_t i = 0; i < keyword.size(); ++i) {
        unsigned char byte = ByteAt(keyword, i);
        if (IsKeywordLeadByte(byte)) {
            if (i + 1 < keyword.size() && IsKeywordTrailByte(ByteAt(keyword, i + 1))) {
                unsigned char euc[2];
                SjisToEuc(byte, ByteAt(keyword, i + 1), euc);
                AppendPercentByte(out, euc[0]);
                AppendPercentByte(out, euc[1]);
                ++i;
            }
            // A lone lead byte has no character to send.
            continue;
        }
        if (IsUnreservedQueryByte(byte)) {
            out.push_back(static_cast<char>(byte));
        } else if (byte == ' ') {
            out.push_back('+');
        } else if (IsHalfWidthKatakana(byte)) {
            AppendPercentByte(out, 0x8E);
            AppendPercentByte(out, byte);
        } else {
            AppendPercentByte(out, byte);
        }
    }
    return out;
}

Extracted ExtractBetween(std::string_view text, std::string_view start, std::optional<std::string_view> end,
                         long from) {
    Extracted result;
    Span span;
    if (!FindValue(text, start, end, from, span))
        return result;
    result.offset = static_cast<long>(span.begin);
    result.value.assign(text.substr(span.begin, span.end - span.begin));
    return result;
}

long ExtractBetweenInto(std::string_view text, std::string_view start, std::optional<std::string_view> end,
                        std::string& out, long from) {
    Span span;
    if (!FindValue(text, start, end, from, span))
        return -1;
    out.assign(text.substr(span.begin, span.end - span.begin));
    return static_cast<long>(span.begin);
}

long CopyBetween(std::string_view text, std::string_view start, std::optional<std::string_view> end, char* dest,
                 std::size_t destSize, long from) {
    if (!FromIsInside(text, from))
        return -1;
    std::size_t startAt = FindBytes(text, start, static_cast<std::size_t>(from));
    if (startAt == std::string_view::npos)
        return -1;
    std::size_t valueBegin = startAt + start.size();
    std::size_t valueEnd = text.size();
    if (end) {
        valueEnd = FindBytes(text, *end, valueBegin);
        if (valueEnd == std::string_view::npos)
            return -1;
    }
    if (dest != nullptr && destSize > 0) {
        std::size_t length = valueEnd - valueBegin;
        std::size_t kept = std::min(length, destSize - 1);
        std::memset(dest, 0, std::min(length + 1, destSize));
        std::memcpy(dest, text.data() + valueBegin, kept);
    }
    return static_cast<long>(valueEnd);
}

void StripMarkup(std::string_view in, std::string& out, bool crlf) {
    enum class State { Text, TagName, InTag, InScriptTag, ScriptBody };
    State state = State::Text;
    std::string tagName;
    for (char byte : in) {
        switch (byte) {
        case '\n':
        case '\r':
            if (crlf)
                out += "\r\n";
            continue;
        case '&':
        case '<':
            state = State::TagName;
            continue;
        case ';':
        case '>':
            state = state == State::InScriptTag ? State::ScriptBody : State::Text;
            tagName.clear();
            continue;
        case ' ':
            if (state == State::TagName) {
                state = tagName == "script" ? State::InScriptTag : State::InTag;
                continue;
            }
            break;
        default:
            break;
        }
        if (state == State::Text)
            out.push_back(byte);
        else if (state == State::TagName)
            tagName.push_back(byte);
    }
}

std::string ItemIdFromUrl(std::string_view url) {
    if (!url.empty() && url.back() == '/')
        url.remove_suffix(1);
    std::size_t slash = url.rfind('/');
    std::size_t equals = url.rfind('=');
    std::size_t cut;
    if (slash == std::string_view::npos)
        cut = equals;
    else if (equals == std::string_view::npos)
        cut = slash;
    else
        cut = std::max(slash, equals);
    if (cut == std::string_view::npos)
        return "(none)";
    return std::string(url.substr(cut + 1));
}

} // namespace kelo
