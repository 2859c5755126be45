// The page scanners: marker searches that never start inside a two-byte
// character, the fixed-size copy, markup stripping and item identifiers.

#include "net/JString.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace kelo {
namespace {

struct ScanCase {
    const char* what;
    std::string text;
    std::string start;
    std::optional<std::string> end;
    long from;
    long at;           // character-aware value offset, -1 when not found
    std::string value; // character-aware value
    // Where the plain byte search of CopyBetween differs: end offset, value.
    std::optional<std::pair<long, std::string>> plain = std::nullopt;
};

std::optional<std::string_view> View(const std::optional<std::string>& end) {
    if (!end)
        return std::nullopt;
    return std::string_view(*end);
}

TEST(JString, ScannersEdgeCases) {
    // The fixtures below spell trail bytes in hex; the literal check keeps
    // them honest about the run-time charset.
    ASSERT_EQ(std::string("ソ表ァポ"), "\x83\x5C\x95\x5C\x83\x40\x83\x7C");

    const std::string none = "untouched";
    const ScanCase cases[] = {
        {"value between markers", "<td>abc</td>", "<td>", "</td>", 0, 4, "abc"},
        {"no end marker: rest of text", "<b>1,000円", "<b>", std::nullopt, 0, 3, "1,000円"},
        {"end marker only before start", "</td><td>abc", "<td>", "</td>", 0, -1, ""},
        {"start marker missing", "<td>abc</td>", "<tr>", "</td>", 0, -1, ""},
        {"empty text", "", "<td>", std::nullopt, 0, -1, ""},
        {"from past the end", "<td>abc</td>", "<td>", std::nullopt, 13, -1, ""},
        {"from -1 ends a chain", "<td>abc</td>", "<td>", std::nullopt, -1, -1, ""},
        {"from at the end", "<td>", "<td>", std::nullopt, 4, -1, ""},
        {"from skips the first occurrence", "<a>1</a><a>2</a>", "<a>", "</a>", 1, 11, "2"},
        {"end searched from the value", "E<a>xE", "<a>", "E", 0, 4, "x"},
        {"empty value", "<a></a>", "<a>", "</a>", 0, 3, ""},
        {"start marker matched at a trail 0x5C is skipped", "\x83\x5C" "a\\b;", "\\", ";", 0, 4, "b",
         std::pair<long, std::string>{5, "a\\b"}},
        {"trail 0x40", "\x83\x40@x", "@", std::nullopt, 0, 3, "x", std::pair<long, std::string>{4, "@x"}},
        {"only a trail 0x7C", "\x83\x7C" "abc", "|", std::nullopt, 0, -1, "",
         std::pair<long, std::string>{5, "abc"}},
        {"end marker at a trail byte is skipped", "<a>\x95\x5C\\", "<a>", "\\", 0, 3, "\x95\x5C",
         std::pair<long, std::string>{4, "\x95"}},
        {"lead bytes counted from the text start, not from", "\x83\x5C\\", "\\", std::nullopt, 1, 3, "",
         std::pair<long, std::string>{3, "\\"}},
        {"two-byte marker inside a pair", "\x88\x89\x7E" "1円2", "円", std::nullopt, 0, 6, "2",
         std::pair<long, std::string>{7, "1円2"}},
        {"odd run of lead-valued bytes", "\x88\x88\x88\x88\x88\\a", "\\", std::nullopt, 0, -1, "",
         std::pair<long, std::string>{7, "a"}},
        {"even run of lead-valued bytes", "\x88\x88\x88\x88\\a", "\\", std::nullopt, 0, 5, "a"},
        {"lead byte alone at the end", "ab\x81", "b", std::nullopt, 0, 2, "\x81"},
    };

    for (const ScanCase& c : cases) {
        SCOPED_TRACE(c.what);
        Extracted extracted = ExtractBetween(c.text, c.start, View(c.end), c.from);
        EXPECT_EQ(extracted.offset, c.at);
        EXPECT_EQ(extracted.value, c.value);

        std::string out = none;
        EXPECT_EQ(ExtractBetweenInto(c.text, c.start, View(c.end), out, c.from), c.at);
        EXPECT_EQ(out, c.at < 0 ? none : c.value);

        long plainEnd = c.at < 0 ? -1 : c.at + static_cast<long>(c.value.size());
        std::string plainValue = c.value;
        if (c.plain) {
            plainEnd = c.plain->first;
            plainValue = c.plain->second;
        }
        std::array<char, 32> dest;
        dest.fill('Z');
        EXPECT_EQ(CopyBetween(c.text, c.start, View(c.end), dest.data(), dest.size(), c.from), plainEnd);
        if (plainEnd < 0) {
            EXPECT_EQ(std::string(dest.data(), dest.size()), std::string(dest.size(), 'Z'));
        } else {
            EXPECT_EQ(std::string(dest.data()), plainValue);
            // Only the value and its terminating zero are written.
            EXPECT_EQ(dest[plainValue.size() + 1], 'Z');
        }
    }
}

TEST(JString, CopyBetweenTruncatesToItsDestination) {
    std::array<char, 8> buffer;
    buffer.fill('Z');
    EXPECT_EQ(CopyBetween("<p>abcdef</p>", "<p>", "</p>", buffer.data(), 4, 0), 9);
    EXPECT_EQ(std::string(buffer.data(), buffer.size()), std::string("abc\0ZZZZ", 8));

    buffer.fill('Z');
    EXPECT_EQ(CopyBetween("<p>abc</p>", "<p>", "</p>", buffer.data(), 0, 0), 6);
    EXPECT_EQ(std::string(buffer.data(), buffer.size()), std::string(8, 'Z'));
}

TEST(JString, ChainYieldsEmptyFieldsFromTheFirstMissingField) {
    const std::string row = "<td>t</td><td>1,000円</td>";
    std::string title, price, bids;
    long at = ExtractBetweenInto(row, "<td>", "</td>", title, 0);
    at = ExtractBetweenInto(row, "<td>", "</td>", price, at);
    at = ExtractBetweenInto(row, "<td>", "</td>", bids, at);
    long after = ExtractBetweenInto(row, "</td>", std::nullopt, title, at);
    EXPECT_EQ(title, "t");
    EXPECT_EQ(price, "1,000円");
    EXPECT_TRUE(bids.empty());
    EXPECT_EQ(at, -1);
    EXPECT_EQ(after, -1);
}

// The plain definition: walk characters from the start of the text.
long NaiveFindMarker(const std::string& text, const std::string& marker, long from) {
    if (from < 0 || static_cast<std::size_t>(from) > text.size())
        return -1;
    for (std::size_t pos = 0; pos <= text.size(); pos += IsSjisLeadByte(text[pos]) ? 2 : 1) {
        if (pos >= static_cast<std::size_t>(from) && text.compare(pos, marker.size(), marker) == 0)
            return static_cast<long>(pos);
        if (pos == text.size())
            break;
    }
    return -1;
}

TEST(JString, FindMarkerAgreesWithAWalkFromTheStart) {
    // Few distinct bytes, many of them lead-valued, so that runs of lead bytes,
    // trail bytes equal to marker bytes and odd/even parities all occur.
    const unsigned char alphabet[] = {0x88, 0xE0, 0x5C, 0x40, 0x7C, 'a', '<', 0xFC};
    const std::string markers[] = {"\\", "@", "|", "a<", "\x88\x5C", "<\xE0\x40"};
    std::mt19937 random(20261210);
    std::uniform_int_distribution<int> pick(0, sizeof alphabet - 1);
    std::uniform_int_distribution<int> length(0, 40);
    for (int round = 0; round < 2000; ++round) {
        std::string text;
        for (int i = length(random); i > 0; --i)
            text.push_back(static_cast<char>(alphabet[pick(random)]));
        for (const std::string& marker : markers) {
            for (long from = -1; from <= static_cast<long>(text.size()) + 1; ++from) {
                ASSERT_EQ(FindMarker(text, marker, from), NaiveFindMarker(text, marker, from))
                    << "round " << round << " from " << from;
            }
        }
    }
}

TEST(JString, StripMarkupFollowsItsStateTable) {
    struct Case {
        const char* what;
        std::string in;
        bool crlf;
        std::string out;
    };
    const Case cases[] = {
        {"bold price, entity and yen sign", "<b>1,000</b>&nbsp;円", false, "1,000円"},
        {"tag with attributes", "<a href=\"x\">t</a>", false, "t"},
        {"script body after a spaced script tag", "a<script type=x>f(1)</script>c", false, "ac"},
        {"a ; ends a script body too", "<script src=x>a;b</script>", false, "b"},
        {"script body ends at the next <", "<script src=x>hidden<b>shown", false, "shown"},
        {"script tag without attributes shows its text", "<script>code</script>", false, "code"},
        {"capital SCRIPT shows its text", "<SCRIPT a=b>code</SCRIPT>", false, "code"},
        {"line breaks dropped", "a\nb\rc", false, "abc"},
        {"each LF and CR is one break", "a\r\nb", true, "a\r\n\r\nb"},
        {"line break inside a tag still written", "<a\nb>c", true, "\r\nc"},
        {"accumulator kept across < and &", "<scr&ipt x>y<z>w", false, "w"},
        {"spaces in text kept", "a b", false, "a b"},
    };
    for (const Case& c : cases) {
        std::string out = "kept:";
        StripMarkup(c.in, out, c.crlf);
        EXPECT_EQ(out, "kept:" + c.out) << c.what;
    }
}

TEST(JString, ItemIdFromUrl) {
    const std::pair<const char*, const char*> cases[] = {
        {"http://page3.vanto.test/jp/auction/x9/", "x9"},
        {"http://page3.vanto.test/jp/auction/b123456", "b123456"},
        {"http://edit.vanto.test/show/bid?aID=c77", "c77"},
        {"http://page.vanto.test/a=b/c", "c"},
        {"http://page.vanto.test/x?aID=d/e", "e"},
        {"plain", "(none)"},
        {"", "(none)"},
        {"/", "(none)"},
        {"aID=", ""},
    };
    for (const auto& [url, id] : cases)
        EXPECT_EQ(ItemIdFromUrl(url), id) << url;
}

} // namespace
} // namespace kelo
