#include "SiteTestSupport.h"

#include <httplib.h>
#include <iconv.h>

#include <cerrno>
#include <stdexcept>

namespace sitesim::test {

std::string Answer::Header(const std::string& name) const
{
    auto it = headers.find(name);
    return it == headers.end() ? std::string() : it->second;
}

LocalSites::LocalSites(SiteOptions options) : server_(std::make_unique<SiteServer>(options))
{
    std::string error;
    if (!server_->Start(0, error))
        throw std::runtime_error("sitesim did not start: " + error);
}

LocalSites::~LocalSites()
{
    server_->Stop();
}

static Answer FromResult(const httplib::Result& result)
{
    Answer answer;
    if (!result)
        return answer;
    answer.status = result->status;
    answer.body = result->body;
    for (const auto& [name, value] : result->headers)
        answer.headers.emplace(name, value);
    return answer;
}

Answer LocalSites::Get(const std::string& host, const std::string& target, const std::string& cookie,
                       int readTimeoutSeconds)
{
    httplib::Client client("127.0.0.1", Port());
    client.set_connection_timeout(5);
    client.set_url_encode(false);
    client.set_read_timeout(readTimeoutSeconds);
    httplib::Headers headers{{"Host", host}};
    if (!cookie.empty())
        headers.emplace("Cookie", cookie);
    return FromResult(client.Get(target, headers));
}

Answer LocalSites::GetThroughProxy(const std::string& url, const std::string& cookie)
{
    // A proxy client names the whole address on the request line.
    httplib::Client client("127.0.0.1", Port());
    client.set_connection_timeout(5);
    client.set_url_encode(false);
    client.set_read_timeout(10);
    httplib::Headers headers;
    if (!cookie.empty())
        headers.emplace("Cookie", cookie);
    return FromResult(client.Get(url, headers));
}

std::string LocalSites::VantoText(const std::string& host, const std::string& target, const std::string& cookie)
{
    Answer answer = Get(host, target, cookie);
    std::string text;
    if (answer.status != 200 || !EucJpToUtf8(answer.body, text))
        return {};
    return text;
}

std::string LocalSites::SignIn(const std::string& user, const std::string& password)
{
    Answer answer = Get("login.vanto.test", "/jp/signin/auth?login=" + FormEncode(Utf8ToEucJp(user)) +
                                                "&passwd=" + FormEncode(Utf8ToEucJp(password)));
    std::string cookie = answer.Header("Set-Cookie");
    size_t end = cookie.find(';');
    return cookie.substr(0, end);
}

void LocalSites::Control(const std::string& target)
{
    Answer answer = Get("control.sitesim.test", target);
    if (answer.status != 200)
        throw std::runtime_error("control request failed: " + target);
}

static bool Convert(const char* to, const char* from, const std::string& in, std::string& out)
{
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1))
        return false;
    std::string result(in.size() * 4 + 16, '\0');
    char* inPtr = const_cast<char*>(in.data());
    size_t inLeft = in.size();
    char* outPtr = result.data();
    size_t outLeft = result.size();
    size_t rc = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
    iconv_close(cd);
    if (rc == static_cast<size_t>(-1) || inLeft != 0)
        return false;
    result.resize(result.size() - outLeft);
    out = std::move(result);
    return true;
}

bool EucJpToUtf8(const std::string& bytes, std::string& utf8)
{
    return Convert("UTF-8", "EUC-JP", bytes, utf8);
}

bool ShiftJisToUtf8(const std::string& bytes, std::string& utf8)
{
    return Convert("UTF-8", "CP932", bytes, utf8);
}

std::string Utf8ToEucJp(const std::string& utf8)
{
    std::string out;
    if (!Convert("EUC-JP", "UTF-8", utf8, out))
        throw std::runtime_error("no EUC-JP form: " + utf8);
    return out;
}

std::string Utf8ToShiftJis(const std::string& utf8)
{
    std::string out;
    if (!Convert("CP932", "UTF-8", utf8, out))
        throw std::runtime_error("no Shift_JIS form: " + utf8);
    return out;
}

std::string EucToSjisAsTheClientDoes(const std::string& euc)
{
    std::string out;
    for (size_t i = 0; i < euc.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(euc[i]);
        if (c == 0x8F) {
            out += '?';
            i += 2;
        } else if (c == 0x8E) {
            out += static_cast<char>(i + 1 < euc.size() ? static_cast<unsigned char>(euc[++i]) | 0x80 : 0x80);
        } else if (c >= 0xA1) {
            unsigned row = c & 0x7F, cell = i + 1 < euc.size() ? static_cast<unsigned char>(euc[++i]) & 0x7F : 0;
            if (row < 0x21 || row > 0x7E || cell < 0x21 || cell > 0x7E) {
                out += "\xEF\xFC";
                continue;
            }
            unsigned first = ((row - 0x21) >> 1) + 0x81;
            if (first > 0x9F)
                first += 0x40;
            unsigned second = cell + ((row & 1) ? 0x1F : 0x7D);
            if (second >= 0x7F)
                ++second;
            out += static_cast<char>(first);
            out += static_cast<char>(second);
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

std::string FormEncode(const std::string& bytes)
{
    static const char hex[] = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : bytes) {
        if (std::isalnum(c) && c < 0x80) {
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

size_t FindInOrder(const std::string& text, const std::vector<std::string>& markers)
{
    size_t at = 0;
    for (const std::string& marker : markers) {
        size_t found = text.find(marker, at);
        if (found == std::string::npos)
            return std::string::npos;
        at = found + marker.size();
    }
    return at;
}

std::string Cut(const std::string& text, const std::string& start, const std::string& end, size_t& from)
{
    if (from == std::string::npos)
        return {};
    size_t begin = text.find(start, from);
    if (begin == std::string::npos) {
        from = std::string::npos;
        return {};
    }
    begin += start.size();
    size_t stop = text.find(end, begin);
    if (stop == std::string::npos) {
        from = std::string::npos;
        return {};
    }
    from = stop;
    return text.substr(begin, stop - begin);
}

} // namespace sitesim::test
