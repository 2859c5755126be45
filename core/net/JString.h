#pragma once
// Byte-level text tools for reading the sites' pages: Shift_JIS aware marker
// searches, EUC-JP to Shift_JIS conversion and the search keyword encoding.
// Offsets are byte offsets; -1 means "not found" and leaves outputs untouched.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace kelo {

// Shift_JIS (code page 932) lead byte: 0x81-0x9F or 0xE0-0xFC.
bool IsSjisLeadByte(unsigned char byte);

// Character-aware search: the offset of the first occurrence of marker at or
// after from that begins where a Shift_JIS character begins, or -1. Lead bytes
// are counted from the start of the text, so from may fall anywhere.
long FindMarker(std::string_view text, std::string_view marker, long from);

// Converts a page from EUC-JP to Shift_JIS in place, in one pass. The text
// never grows, except by one byte when it ends in a cut-off two-byte lead
// that still has to show as one (off-grid) character.
void ConvertEucToSjis(std::string& text);

// JIS X 0208 row/cell to the two Shift_JIS bytes (0xEF 0xFC off the grid).
void JisToSjis(unsigned row, unsigned cell, unsigned char out[2]);
// A Shift_JIS pair to its two EUC-JP bytes.
void SjisToEuc(unsigned char first, unsigned char second, unsigned char out[2]);

// A Shift_JIS keyword as the primary site's search query value, as a form on
// an EUC-JP page sends it: letters, digits and - _ . * as they are, a space as
// "+", every other byte percent-encoded; characters in EUC-JP.
std::string EncodeKeyword(std::string_view keyword);

struct Extracted {
    long offset = -1;  // the value's first byte, or -1
    std::string value; // empty when not found
};

// The text between start (found at or after from) and the next end after the
// value's start, or the rest of the text when end is nullopt. from outside
// 0..text.size() finds nothing, so a chain stops at its first missing field.
Extracted ExtractBetween(std::string_view text, std::string_view start,
                         std::optional<std::string_view> end, long from);
// The same search; on success out is replaced by the value.
long ExtractBetweenInto(std::string_view text, std::string_view start,
                        std::optional<std::string_view> end, std::string& out, long from);
// The same cut with a plain byte search, into a fixed buffer of destSize bytes
// (truncated, always zero-terminated, never written past destSize). Returns
// the offset where the end marker begins (text length without one), or -1.
long CopyBetween(std::string_view text, std::string_view start, std::optional<std::string_view> end,
                 char* dest, std::size_t destSize, long from);

// Appends the visible text of a table cell to out: tags, entities and script
// bodies dropped; line breaks written as CR LF only when crlf is set.
void StripMarkup(std::string_view in, std::string& out, bool crlf);

// The item identifier at the end of an item URL, or "(none)".
std::string ItemIdFromUrl(std::string_view url);

} // namespace kelo
