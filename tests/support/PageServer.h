#pragma once
// A loopback HTTP server that stands in for the sites in tests: pages by host
// and request target, every request recorded. The fetch reaches it through
// ScopedFetchToServer, which sends every host:80 to its port.

#include "TestSupport.h"

#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <utility>
#include <vector>

namespace httplib {
class Server;
}

namespace kelo::test {

class PageServer {
public:
    struct Request {
        std::string host;   // without a port
        std::string target; // path and query as sent
        std::string cookie; // the Cookie header, empty when none was sent
    };
    struct Reply {
        int status = 200;
        std::string body;
        std::vector<std::pair<std::string, std::string>> headers; // e.g. Set-Cookie
    };
    using Responder = std::function<Reply(const Request&)>;

    // Listens on 127.0.0.1, on a free port, until the object goes.
    PageServer();
    ~PageServer();
    PageServer(const PageServer&) = delete;
    PageServer& operator=(const PageServer&) = delete;

    int port() const { return port_; }
    // "127.0.0.1:PORT", the fetch's connectToPort.
    std::string address() const;

    // Answers a request for exactly this host and target (path and query).
    void SetPage(std::string_view host, std::string_view target, std::string body, int status = 200);
    // Answers every request for this host and path, whatever its query, when
    // no page matches exactly.
    void SetResponder(std::string_view host, std::string_view path, Responder responder);
    // Anything else is answered 404.

    std::vector<Request> Requests() const;
    // The targets requested of one host, in order.
    std::vector<std::string> Targets(std::string_view host) const;
    void ClearRequests();

private:
    Reply Answer(const Request& request);

    std::unique_ptr<httplib::Server> server_;
    std::thread thread_;
    int port_ = -1;
    mutable std::mutex mutex_;
    std::map<std::pair<std::string, std::string>, Reply> pages_;
    std::map<std::pair<std::string, std::string>, Responder> responders_;
    std::vector<Request> requests_;
};

// A Shift_JIS page as the primary site serves it, in EUC-JP: two-byte
// characters by JIS row and cell, half-width katakana behind 0x8E.
std::string SjisToEucJp(std::string_view sjis);

// Points every fetch of the object's lifetime at the server, with short
// time-outs and a cookie file of its own; the earlier tuning comes back after.
class ScopedFetchToServer {
public:
    explicit ScopedFetchToServer(const PageServer& server);
    ~ScopedFetchToServer();
    ScopedFetchToServer(const ScopedFetchToServer&) = delete;
    ScopedFetchToServer& operator=(const ScopedFetchToServer&) = delete;
    std::string cookieFile() const { return cookies_ / "cookies.txt"; }

private:
    TempDir cookies_;
    struct Saved;
    std::unique_ptr<Saved> saved_;
};

} // namespace kelo::test
