#include "net/PageFetch.h"

#include "app/SettingsTable.h"

#include <curl/curl.h>

#include <cctype>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <mutex>
#include <sys/stat.h>

namespace kelo {
namespace {

constexpr const char* USER_AGENT = "Kelo";
// A page is a few tens of kilobytes; anything near this is no page of ours
// and must not eat the user's memory.
constexpr std::size_t MAX_PAGE_BYTES = 64u << 20;

FetchTuning gTuning;

// One cookie store for every request of the process, as one browser session.
CURLSH* SharedCookies() {
    static CURLSH* share = [] {
        curl_global_init(CURL_GLOBAL_DEFAULT);
        CURLSH* s = curl_share_init();
        if (s)
            curl_share_setopt(s, CURLSHOPT_SHARE, CURL_LOCK_DATA_COOKIE);
        return s;
    }();
    return share;
}

bool ProxyIsOn(SettingsStore& store) {
    return LeadingNumber(ReadStringSetting(store, Setting::ProxySwitch)) == 1;
}

std::string ProxyAddress(SettingsStore& store) {
    return ReadStringSetting(store, Setting::ProxyAddress) + ":" + ReadStringSetting(store, Setting::ProxyPort);
}

// A server given as "host:port" still goes to port 80.
std::string_view HostOnly(std::string_view server) {
    const std::size_t colon = server.find(':');
    return colon == std::string_view::npos ? server : server.substr(0, colon);
}

// Paths come from pages and list files; bytes a URL cannot carry as they
// stand are sent the way a browser sends them.
std::string RequestTarget(std::string_view server, std::string_view object) {
    static const char HEX[] = "0123456789ABCDEF";
    std::string url = "http://";
    url.append(HostOnly(server));
    if (object.empty() || object.front() != '/')
        url.push_back('/');
    for (unsigned char c : object) {
        if (c <= 0x20 || c >= 0x7F || c == '"' || c == '<' || c == '>' || c == '\\' || c == '^' || c == '`' ||
            c == '{' || c == '|' || c == '}') {
            url.push_back('%');
            url.push_back(HEX[c >> 4]);
            url.push_back(HEX[c & 15]);
        } else {
            url.push_back(static_cast<char>(c));
        }
    }
    return url;
}

struct Body {
    std::string* page;
    bool tooLarge = false;
    bool setsCookie = false;
};

// Carriage returns go as the body arrives, so a CR LF page reads as LF only.
size_t AppendBody(char* data, size_t size, size_t count, void* userdata) {
    Body* body = static_cast<Body*>(userdata);
    const size_t bytes = size * count;
    if (body->page->size() + bytes > MAX_PAGE_BYTES) {
        body->tooLarge = true;
        return 0; // aborts the transfer
    }
    const char* end = data + bytes;
    for (const char* from = data; from < end;) {
        const char* cr = static_cast<const char*>(std::memchr(from, '\r', static_cast<size_t>(end - from)));
        const char* stop = cr ? cr : end;
        body->page->append(from, static_cast<size_t>(stop - from));
        from = cr ? cr + 1 : end;
    }
    return bytes;
}

// Notes an answer that changes the cookie store, so the file is rewritten
// only then.
size_t NoteHeader(char* data, size_t size, size_t count, void* userdata) {
    const size_t bytes = size * count;
    constexpr std::string_view SET_COOKIE = "set-cookie:";
    if (bytes >= SET_COOKIE.size()) {
        bool match = true;
        for (size_t i = 0; i < SET_COOKIE.size() && match; ++i)
            match = std::tolower(static_cast<unsigned char>(data[i])) == SET_COOKIE[i];
        if (match)
            static_cast<Body*>(userdata)->setsCookie = true;
    }
    return bytes;
}

// The cookie file is read again only when someone else (the browser pane,
// another Kelo process) changed it since this process last read or wrote it:
// reading and rewriting it for every page would cost more than the page.
class CookieFileWatch {
public:
    bool NeedsLoading(const std::string& path) const { return path != path_ || Stamp(path) != stamp_; }
    void Seen(const std::string& path) {
        path_ = path;
        stamp_ = Stamp(path);
    }

private:
    static std::pair<long, long> Stamp(const std::string& path) {
        struct stat st {};
        if (stat(path.c_str(), &st) != 0)
            return {-1, -1};
        return {static_cast<long>(st.st_mtim.tv_sec), static_cast<long>(st.st_mtim.tv_nsec)};
    }
    std::string path_;
    std::pair<long, long> stamp_{-1, -1};
};

CookieFileWatch gCookieWatch;

void KeepOwnerOnly(const std::string& path) {
    if (std::filesystem::exists(path))
        chmod(path.c_str(), S_IRUSR | S_IWUSR);
}

// Made empty and private before libcurl first writes it.
void PrepareCookieFile(const std::string& path) {
    if (path.empty() || std::filesystem::exists(path))
        return;
    if (FILE* f = std::fopen(path.c_str(), "ab"))
        std::fclose(f);
    KeepOwnerOnly(path);
}

class Request {
public:
    Request() : curl_(curl_easy_init()) {}
    ~Request() {
        if (headers_)
            curl_slist_free_all(headers_);
        if (connectTo_)
            curl_slist_free_all(connectTo_);
        if (curl_)
            curl_easy_cleanup(curl_); // writes the cookie jar, when one was named
    }
    Request(const Request&) = delete;
    Request& operator=(const Request&) = delete;

    bool Prepare(const std::string& url, const std::string& cookieFile, bool loadCookies, Body& body) {
        if (!curl_)
            return false;
        bool ok = Set(CURLOPT_URL, url.c_str()) && Set(CURLOPT_HTTPGET, 1L) && Set(CURLOPT_USERAGENT, USER_AGENT) &&
                  Set(CURLOPT_NOSIGNAL, 1L) && Set(CURLOPT_FRESH_CONNECT, 1L) && Set(CURLOPT_FORBID_REUSE, 1L) &&
                  Set(CURLOPT_FOLLOWLOCATION, 1L) && Set(CURLOPT_MAXREDIRS, 10L) &&
                  Set(CURLOPT_REDIR_PROTOCOLS_STR, "http") && Set(CURLOPT_PROTOCOLS_STR, "http") &&
                  Set(CURLOPT_CONNECTTIMEOUT, gTuning.connectTimeoutSeconds) && Set(CURLOPT_LOW_SPEED_LIMIT, 1L) &&
                  Set(CURLOPT_LOW_SPEED_TIME, gTuning.stallSeconds) && Set(CURLOPT_WRITEFUNCTION, AppendBody) &&
                  Set(CURLOPT_WRITEDATA, &body) && Set(CURLOPT_HEADERFUNCTION, NoteHeader) &&
                  Set(CURLOPT_HEADERDATA, &body);
        // Always from the server, never from a cache on the way.
        headers_ = curl_slist_append(headers_, "Cache-Control: no-cache");
        headers_ = curl_slist_append(headers_, "Pragma: no-cache");
        ok = ok && headers_ && Set(CURLOPT_HTTPHEADER, headers_);
        if (CURLSH* share = SharedCookies())
            ok = ok && Set(CURLOPT_SHARE, share);
        ok = ok && Set(CURLOPT_COOKIEFILE, loadCookies ? cookieFile.c_str() : "");
        return ok;
    }

    // The jar is written when the handle is cleaned up.
    bool SaveCookiesTo(const std::string& cookieFile) { return Set(CURLOPT_COOKIEJAR, cookieFile.c_str()); }

    bool UseProxy(const std::string& proxy) { return Set(CURLOPT_PROXY, proxy.c_str()); }

    bool ConnectTo(const std::string& target) {
        connectTo_ = curl_slist_append(connectTo_, ("::" + target).c_str());
        // The seam stands for the server itself: no proxy from the environment.
        return connectTo_ && Set(CURLOPT_CONNECT_TO, connectTo_) && Set(CURLOPT_PROXY, "");
    }

    bool PerformWithStatus200() {
        if (curl_easy_perform(curl_) != CURLE_OK)
            return false;
        long status = 0;
        return curl_easy_getinfo(curl_, CURLINFO_RESPONSE_CODE, &status) == CURLE_OK && status == 200;
    }

private:
    template <typename T> bool Set(CURLoption option, T value) { return curl_easy_setopt(curl_, option, value) == CURLE_OK; }

    CURL* curl_;
    curl_slist* headers_ = nullptr;
    curl_slist* connectTo_ = nullptr;
};

} // namespace

bool FetchPage(std::string_view server, std::string_view object, std::string& page) {
    page.clear();
    SettingsStore& store = Profile();
    const std::string cookieFile = gTuning.cookieFile.empty() ? CookieFilePath() : gTuning.cookieFile;
    PrepareCookieFile(cookieFile);

    bool fetched = false;
    {
        Body body{&page};
        Request request;
        fetched = request.Prepare(RequestTarget(server, object), cookieFile, gCookieWatch.NeedsLoading(cookieFile), body);
        if (fetched && ProxyIsOn(store))
            fetched = request.UseProxy(ProxyAddress(store));
        if (fetched && !gTuning.connectToPort.empty())
            fetched = request.ConnectTo(gTuning.connectToPort);
        fetched = fetched && request.PerformWithStatus200() && !body.tooLarge;
        if (body.setsCookie)
            request.SaveCookiesTo(cookieFile);
    }
    KeepOwnerOnly(cookieFile);
    gCookieWatch.Seen(cookieFile);
    if (!fetched)
        page.clear();
    return fetched;
}

void SetFetchTuning(const FetchTuning& tuning) { gTuning = tuning; }
const FetchTuning& CurrentFetchTuning() { return gTuning; }

std::string UserDataFolder() {
    std::string folder;
    if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && *xdg)
        folder = std::string(xdg) + "/Kelo";
    else if (const char* home = std::getenv("HOME"); home && *home)
        folder = std::string(home) + "/.local/share/Kelo";
    else
        folder = "Kelo";
    std::error_code ignored;
    if (!std::filesystem::exists(folder, ignored)) {
        std::filesystem::create_directories(folder, ignored);
        chmod(folder.c_str(), S_IRWXU);
    }
    return folder;
}

std::string CookieFilePath() { return UserDataFolder() + "/cookies.txt"; }

} // namespace kelo
