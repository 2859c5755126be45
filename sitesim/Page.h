#pragma once
// One answer of a site, before it is encoded for the wire.

#include <string>
#include <utility>
#include <vector>

namespace sitesim {

// Line breaks that belong to the page's structure (a reader looks for them)
// are written as HARD_BREAK; every other "\n" is layout and may be dropped
// when a fault asks for long lines.
inline constexpr char HARD_BREAK = '\x1f';
inline const std::string HB(1, HARD_BREAK);

struct Page {
    enum class Charset { EucJp, ShiftJis, Ascii };

    int status = 200;
    Charset charset = Charset::EucJp;
    std::string text;                     // UTF-8 with HARD_BREAK marks
    std::string keyMarker;                // UTF-8; what a reader needs most, for the "nomarker" fault
    std::vector<std::string> setCookies;  // full Set-Cookie values

    static Page Text(Charset charset, std::string text, std::string keyMarker)
    {
        Page page;
        page.charset = charset;
        page.text = std::move(text);
        page.keyMarker = std::move(keyMarker);
        return page;
    }

    static Page Plain(int status, std::string text)
    {
        Page page;
        page.status = status;
        page.charset = Charset::Ascii;
        page.text = std::move(text);
        return page;
    }
};

} // namespace sitesim
