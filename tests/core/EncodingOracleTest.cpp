// The encodings against glibc's iconv over the whole JIS X 0208 grid, plus
// the sequences iconv cannot judge for us (off-grid, JIS X 0212, cut off).

#include "net/JString.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <iconv.h>
#include <optional>
#include <string>

namespace kelo {
namespace {

// One iconv conversion of a short sequence; nullopt when iconv cannot map it.
class IconvOracle {
public:
    IconvOracle(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~IconvOracle() {
        if (ready())
            iconv_close(cd_);
    }
    IconvOracle(const IconvOracle&) = delete;
    IconvOracle& operator=(const IconvOracle&) = delete;

    bool ready() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

    std::optional<std::string> Convert(const std::string& in) {
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        char buffer[16];
        char* src = const_cast<char*>(in.data());
        std::size_t srcLeft = in.size();
        char* dst = buffer;
        std::size_t dstLeft = sizeof buffer;
        if (iconv(cd_, &src, &srcLeft, &dst, &dstLeft) == static_cast<std::size_t>(-1) || srcLeft != 0)
            return std::nullopt;
        return std::string(buffer, static_cast<std::size_t>(dst - buffer));
    }

private:
    iconv_t cd_;
};

std::string Bytes(std::initializer_list<unsigned char> bytes) { return std::string(bytes.begin(), bytes.end()); }

std::string PercentPair(unsigned char first, unsigned char second) {
    char text[7];
    std::snprintf(text, sizeof text, "%%%02X%%%02X", first, second);
    return text;
}

TEST(EncodingOracle, JisGridMatchesIconvInAllThreeDirections) {
    IconvOracle eucToSjis("SHIFT_JIS", "EUC-JP");
    ASSERT_TRUE(eucToSjis.ready()) << "iconv lacks EUC-JP or SHIFT_JIS";
    int mapped = 0;
    for (unsigned row = 0x21; row <= 0x7E; ++row) {
        for (unsigned cell = 0x21; cell <= 0x7E; ++cell) {
            const unsigned char eucFirst = static_cast<unsigned char>(row | 0x80);
            const unsigned char eucSecond = static_cast<unsigned char>(cell | 0x80);
            const std::string euc = Bytes({eucFirst, eucSecond});
            std::optional<std::string> expected = eucToSjis.Convert(euc);
            if (!expected)
                continue;
            ++mapped;
            SCOPED_TRACE(testing::Message() << std::hex << "row 0x" << row << " cell 0x" << cell);
            ASSERT_EQ(expected->size(), 2u);

            std::string page = euc;
            ConvertEucToSjis(page);
            EXPECT_EQ(page, *expected);

            unsigned char back[2];
            SjisToEuc(static_cast<unsigned char>((*expected)[0]), static_cast<unsigned char>((*expected)[1]), back);
            EXPECT_EQ(Bytes({back[0], back[1]}), euc);

            EXPECT_EQ(EncodeKeyword(*expected), PercentPair(eucFirst, eucSecond));
        }
    }
    // JIS X 0208 holds 6879 characters; fewer means the oracle judged little.
    EXPECT_GE(mapped, 6879);
}

TEST(EncodingOracle, HalfWidthKatakanaBothWays) {
    IconvOracle eucToSjis("SHIFT_JIS", "EUC-JP");
    ASSERT_TRUE(eucToSjis.ready());
    for (unsigned kana = 0xA1; kana <= 0xDF; ++kana) {
        const unsigned char byte = static_cast<unsigned char>(kana);
        SCOPED_TRACE(testing::Message() << std::hex << "kana 0x" << kana);
        std::string page = Bytes({0x8E, byte});
        std::optional<std::string> expected = eucToSjis.Convert(page);
        ASSERT_TRUE(expected);
        ConvertEucToSjis(page);
        EXPECT_EQ(page, *expected);
        EXPECT_EQ(EncodeKeyword(Bytes({byte})), PercentPair(0x8E, byte));
    }
}

TEST(EncodingOracle, SequencesOutsideTheGridAndCutOff) {
    struct Case {
        const char* what;
        std::string euc;
        std::string sjis;
    };
    const Case cases[] = {
        {"ASCII unchanged to the last byte", "<td>abc</td>\n~\\x", "<td>abc</td>\n~\\x"},
        {"JIS X 0212 becomes ?", Bytes({0x8F, 0xB0, 0xA1, 0x78}), Bytes({0x3F, 0x78})},
        {"half-width katakana", Bytes({0x8E, 0xB1}), Bytes({0xB1})},
        {"hiragana a", Bytes({0xA4, 0xA2}), Bytes({0x82, 0xA0})},
        {"cell off the grid", Bytes({0xB0, 0xFF, 'a'}), Bytes({0xEF, 0xFC, 'a'})},
        {"row off the grid", Bytes({0xFF, 0xA1, 'a'}), Bytes({0xEF, 0xFC, 'a'})},
        {"second byte is taken whatever it is", Bytes({0xA4, '\n', 'a'}), Bytes({0xEF, 0xFC, 'a'})},
        {"0x8F cut after one byte", Bytes({'a', 0x8F, 0xB0}), Bytes({'a', '?'})},
        {"0x8F alone at the end", Bytes({'a', 0x8F}), Bytes({'a', '?'})},
        {"0x8E alone at the end", Bytes({'a', 0x8E}), Bytes({'a', 0x80})},
        {"lead alone at the end", Bytes({'a', 0xA4}), Bytes({'a', 0xEF, 0xFC})},
        {"lead alone after shrinking", Bytes({0x8F, 0xB0, 0xA1, 0xA4}), Bytes({'?', 0xEF, 0xFC})},
        {"ASCII after shrinking moves down", Bytes({0x8E, 0xB1, 'a', 'b', 'c', 'd', 'e', 'f', 'g', 'h', 'i'}),
         Bytes({0xB1, 'a', 'b', 'c', 'd', 'e', 'f', 'g', 'h', 'i'})},
        {"long ASCII run after shrinking", Bytes({0x8F, 0xB0, 0xA1}) + std::string(40, 'x') + Bytes({0xA4, 0xA2}),
         "?" + std::string(40, 'x') + Bytes({0x82, 0xA0})},
        {"second byte counts by its low seven bits", Bytes({0xA4, 0x21}), Bytes({0x82, 0x9F})},
        {"bytes below 0xA1 copied", Bytes({0x80, 0x90, 0xA0}), Bytes({0x80, 0x90, 0xA0})},
        {"empty", "", ""},
    };
    for (const Case& c : cases) {
        std::string page = c.euc;
        ConvertEucToSjis(page);
        EXPECT_EQ(page, c.sjis) << c.what;
    }
}

TEST(EncodingOracle, JisToSjisOffTheGrid) {
    const unsigned offGrid[][2] = {{0x20, 0x21}, {0x7F, 0x21}, {0x21, 0x20}, {0x21, 0x7F}, {0, 0}};
    for (const auto& code : offGrid) {
        unsigned char out[2];
        JisToSjis(code[0], code[1], out);
        EXPECT_EQ(Bytes({out[0], out[1]}), Bytes({0xEF, 0xFC})) << code[0] << "," << code[1];
    }
}

TEST(EncodingOracle, KeywordEncodingAsAFormSendsIt) {
    struct Case {
        const char* what;
        std::string keyword;
        std::string query;
    };
    const Case cases[] = {
        {"plain letters", "abc", "abc"},
        {"unreserved marks", "A-z_0.9*", "A-z_0.9*"},
        {"space", "a b", "a+b"},
        {"query syntax stays inside the value", "a&b=c%d+e#f", "a%26b%3Dc%25d%2Be%23f"},
        {"other ASCII", "/?~\"", "%2F%3F%7E%22"},
        {"character from the grid", Bytes({0x8E, 0x9E}), "%BB%FE"},
        {"written as UTF-8 in the source", "あ", "%A4%A2"},
        {"lone lead at the end dropped", Bytes({'a', 0x82}), "a"},
        {"lead before a non-trail byte dropped", Bytes({0x82, ' ', 'b'}), "+b"},
        {"bytes 0xF0 and up as single bytes", Bytes({0xF0, 0xFC, 0xFF}), "%F0%FC%FF"},
        {"0x80 and 0xA0", Bytes({0x80, 0xA0}), "%80%A0"},
        {"empty", "", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(EncodeKeyword(c.keyword), c.query) << c.what;
}

} // namespace
} // namespace kelo
