#pragma once
// Helpers for sitesim's tests: the sites in this process on a loopback
// port, requests in either form, and readers that cut values out of pages
// the way the client does (the first marker, then the next from there on).

#include "SiteServer.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace sitesim::test {

struct Answer {
    int status = 0;           // 0: no answer at all
    std::string body;         // bytes as sent
    std::multimap<std::string, std::string> headers;
    std::string Header(const std::string& name) const;
};

// The sites on 127.0.0.1:<free port> for the life of the object.
class LocalSites {
public:
    explicit LocalSites(SiteOptions options = {});
    ~LocalSites();

    int Port() const { return server_->Port(); }
    SiteServer& Server() { return *server_; }

    // Origin form with a Host header, as a client using the port directly.
    Answer Get(const std::string& host, const std::string& target, const std::string& cookie = {},
               int readTimeoutSeconds = 10);
    // Absolute form, as a client using the sites as its HTTP proxy.
    Answer GetThroughProxy(const std::string& url, const std::string& cookie = {});
    // The Vanto page as UTF-8 text (empty when it does not decode).
    std::string VantoText(const std::string& host, const std::string& target, const std::string& cookie = {});
    // Signs in with the form's fields (given as raw bytes, encoded here as a
    // browser would); returns the "VSESSION=..." cookie or empty.
    std::string SignIn(const std::string& user, const std::string& password);
    void Control(const std::string& target);

private:
    std::unique_ptr<SiteServer> server_;
};

bool EucJpToUtf8(const std::string& bytes, std::string& utf8);
bool ShiftJisToUtf8(const std::string& bytes, std::string& utf8);
std::string Utf8ToEucJp(const std::string& utf8);
std::string Utf8ToShiftJis(const std::string& utf8);
// The client's own EUC-JP to Shift_JIS conversion: JIS X 0208 by the
// arithmetic mapping, half-width katakana to one byte, JIS X 0212 to "?".
std::string EucToSjisAsTheClientDoes(const std::string& euc);
// Percent-encodes every byte outside letters and digits, "+" for a space.
std::string FormEncode(const std::string& bytes);

// Position just after the first occurrence of each marker in turn, or npos
// when one is missing: checks that markers stand in the reading order.
size_t FindInOrder(const std::string& text, const std::vector<std::string>& markers);

// The text between start and end, searching from `from`; `from` moves to
// the end marker. Missing: empty and `from` becomes npos.
std::string Cut(const std::string& text, const std::string& start, const std::string& end, size_t& from);

} // namespace sitesim::test
