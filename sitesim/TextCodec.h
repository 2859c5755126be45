#pragma once
// Crossing between the UTF-8 the pages are written in and the bytes each site
// serves: EUC-JP for Vanto, Shift_JIS (code page 932) for Sorel.

#include <string>
#include <string_view>

namespace sitesim {

class TextCodec {
public:
    // Whole-text conversions; false (and out untouched) when any byte cannot
    // be converted, so a page never goes out half-translated.
    static bool Utf8ToEucJp(std::string_view utf8, std::string& out);
    static bool Utf8ToShiftJis(std::string_view utf8, std::string& out);
    static bool EucJpToUtf8(std::string_view euc, std::string& out);

    // A query value as a browser submits a form: "+" is a space and "%XY"
    // one byte; a "%" without two hex digits stays as it is.
    static std::string FormDecode(std::string_view value);
    // The reverse, as a browser would write the value into a link.
    static std::string FormEncode(std::string_view bytes);

    // Minimal escaping for text placed in HTML.
    static std::string HtmlEscape(std::string_view text);

private:
    static bool Convert(const char* to, const char* from, std::string_view in, std::string& out);
};

} // namespace sitesim
