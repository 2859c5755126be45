#include "PageServer.h"

#include "net/JString.h"
#include "net/PageFetch.h"

#include <httplib.h>

#include <chrono>
#include <stdexcept>

namespace kelo::test {
namespace {

std::string HostWithoutPort(const std::string& host) { return host.substr(0, host.find(':')); }

// The target as the client sent it; older servers give only the decoded path.
std::string TargetOf(const httplib::Request& request) {
    if (!request.target.empty())
        return request.target;
    std::string target = request.path;
    char separator = '?';
    for (const auto& [key, value] : request.params) {
        target += separator + key + "=" + value;
        separator = '&';
    }
    return target;
}

} // namespace

PageServer::PageServer() : server_(std::make_unique<httplib::Server>()) {
    server_->Get(".*", [this](const httplib::Request& in, httplib::Response& out) {
        Request request{HostWithoutPort(in.get_header_value("Host")), TargetOf(in), in.get_header_value("Cookie")};
        const Reply reply = Answer(request);
        out.status = reply.status;
        for (const auto& [name, value] : reply.headers)
            out.set_header(name, value);
        out.set_content(reply.body, "text/html");
    });
    port_ = server_->bind_to_any_port("127.0.0.1");
    if (port_ <= 0)
        throw std::runtime_error("the page server cannot bind a loopback port");
    thread_ = std::thread([this] { server_->listen_after_bind(); });
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!server_->is_running() && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

PageServer::~PageServer() {
    server_->stop();
    if (thread_.joinable())
        thread_.join();
}

std::string PageServer::address() const { return "127.0.0.1:" + std::to_string(port_); }

void PageServer::SetPage(std::string_view host, std::string_view target, std::string body, int status) {
    std::lock_guard lock(mutex_);
    pages_[{std::string(host), std::string(target)}] = Reply{status, std::move(body), {}};
}

void PageServer::SetResponder(std::string_view host, std::string_view path, Responder responder) {
    std::lock_guard lock(mutex_);
    responders_[{std::string(host), std::string(path)}] = std::move(responder);
}

std::vector<PageServer::Request> PageServer::Requests() const {
    std::lock_guard lock(mutex_);
    return requests_;
}

std::vector<std::string> PageServer::Targets(std::string_view host) const {
    std::vector<std::string> targets;
    for (const Request& request : Requests())
        if (request.host == host)
            targets.push_back(request.target);
    return targets;
}

void PageServer::ClearRequests() {
    std::lock_guard lock(mutex_);
    requests_.clear();
}

PageServer::Reply PageServer::Answer(const Request& request) {
    Responder responder;
    {
        std::lock_guard lock(mutex_);
        requests_.push_back(request);
        if (auto page = pages_.find({request.host, request.target}); page != pages_.end())
            return page->second;
        const std::string path = request.target.substr(0, request.target.find('?'));
        if (auto found = responders_.find({request.host, path}); found != responders_.end())
            responder = found->second;
    }
    if (responder)
        return responder(request);
    return Reply{404, "not found", {}};
}

std::string SjisToEucJp(std::string_view sjis) {
    std::string euc;
    euc.reserve(sjis.size());
    for (std::size_t i = 0; i < sjis.size(); ++i) {
        const auto byte = static_cast<unsigned char>(sjis[i]);
        if (IsSjisLeadByte(byte) && i + 1 < sjis.size()) {
            unsigned char pair[2];
            SjisToEuc(byte, static_cast<unsigned char>(sjis[i + 1]), pair);
            euc.push_back(static_cast<char>(pair[0]));
            euc.push_back(static_cast<char>(pair[1]));
            ++i;
        } else if (byte >= 0xA1 && byte <= 0xDF) {
            euc.push_back(static_cast<char>(0x8E));
            euc.push_back(static_cast<char>(byte));
        } else {
            euc.push_back(static_cast<char>(byte));
        }
    }
    return euc;
}

struct ScopedFetchToServer::Saved {
    FetchTuning tuning;
};

ScopedFetchToServer::ScopedFetchToServer(const PageServer& server)
    : saved_(std::make_unique<Saved>(Saved{CurrentFetchTuning()})) {
    FetchTuning tuning;
    tuning.connectTimeoutSeconds = 5;
    tuning.stallSeconds = 10;
    tuning.connectToPort = server.address();
    tuning.cookieFile = cookieFile();
    SetFetchTuning(tuning);
}

ScopedFetchToServer::~ScopedFetchToServer() { SetFetchTuning(saved_->tuning); }

} // namespace kelo::test
