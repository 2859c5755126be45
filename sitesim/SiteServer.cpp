#include "SiteServer.h"

#include "TextCodec.h"

#include <httplib.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <ctime>

namespace sitesim {

namespace {

const char* const CONTROL_HOST = "control.sitesim.test";

std::string Lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

std::string WithoutPort(const std::string& host)
{
    size_t colon = host.find(':');
    return colon == std::string::npos ? host : host.substr(0, colon);
}

// Host and target ("/path?query") of a request in either form.
void SplitTarget(const httplib::Request& request, std::string& host, std::string& target)
{
    target = request.target;
    const std::string scheme = "http://";
    if (Lower(target.substr(0, scheme.size())) == scheme) {
        size_t slash = target.find('/', scheme.size());
        host = target.substr(scheme.size(), slash == std::string::npos ? std::string::npos : slash - scheme.size());
        target = slash == std::string::npos ? "/" : target.substr(slash);
    } else {
        host = request.get_header_value("Host");
    }
    host = Lower(WithoutPort(host));
    if (target.empty())
        target = "/";
}

SiteRequest ParseRequest(const std::string& host, const std::string& target, const std::string& cookie)
{
    SiteRequest request;
    request.host = host;
    request.cookie = cookie;
    size_t question = target.find('?');
    request.path = TextCodec::FormDecode(target.substr(0, question));
    if (question == std::string::npos)
        return request;
    std::string query = target.substr(question + 1);
    size_t hash = query.find('#');
    if (hash != std::string::npos)
        query.erase(hash);
    size_t at = 0;
    while (at <= query.size()) {
        size_t end = query.find('&', at);
        if (end == std::string::npos)
            end = query.size();
        std::string pair = query.substr(at, end - at);
        if (!pair.empty()) {
            size_t equals = pair.find('=');
            std::string name = TextCodec::FormDecode(pair.substr(0, equals));
            std::string value = equals == std::string::npos ? std::string() : pair.substr(equals + 1);
            request.query.emplace(name, value);
        }
        at = end + 1;
    }
    return request;
}

const char* ContentType(Page::Charset charset)
{
    switch (charset) {
    case Page::Charset::EucJp: return "text/html; charset=EUC-JP";
    case Page::Charset::ShiftJis: return "text/html; charset=Shift_JIS";
    case Page::Charset::Ascii: break;
    }
    return "text/plain";
}

} // namespace

SiteServer::SiteServer(const SiteOptions& options)
    : house_(CatalogueSettings{options.seed, options.items, options.user, std::time(nullptr)}),
      sessions_(options.user, options.password), router_(house_, sessions_), server_(std::make_unique<httplib::Server>())
{
    for (const FaultRule& rule : options.faults)
        faults_.Add(rule);
    // Stalled answers hold a worker each; leave room for the others.
    server_->new_task_queue = [] { return new httplib::ThreadPool(16); };
    // Address reuse only: sharing the port with a running instance would
    // hide a busy port behind a second server that never gets a request.
    server_->set_socket_options([](socket_t sock) {
        int yes = 1;
        setsockopt(sock, SOL_SOCKET, SO_REUSEADDR, reinterpret_cast<const void*>(&yes), sizeof yes);
    });
    server_->Get(".*", [this](const httplib::Request& request, httplib::Response& response) { Answer(request, response); });
}

SiteServer::~SiteServer()
{
    Stop();
}

bool SiteServer::Start(int port, std::string& error)
{
    if (port < 0 || port > 65535) {
        error = "port " + std::to_string(port) + " is out of range";
        return false;
    }
    if (port == 0) {
        port_ = server_->bind_to_any_port("127.0.0.1");
        if (port_ <= 0) {
            error = "cannot listen on 127.0.0.1: no free port";
            return false;
        }
    } else if (server_->bind_to_port("127.0.0.1", port)) {
        port_ = port;
    } else {
        error = "cannot listen on 127.0.0.1:" + std::to_string(port) + " (port busy or not allowed)";
        return false;
    }
    thread_ = std::thread([this] { server_->listen_after_bind(); });
    return true;
}

void SiteServer::Stop()
{
    stopping_ = true;
    if (server_)
        server_->stop();
    if (thread_.joinable())
        thread_.join();
}

void SiteServer::Answer(const httplib::Request& request, httplib::Response& response)
{
    std::string host, target;
    SplitTarget(request, host, target);
    if (host == CONTROL_HOST) {
        AnswerControl(target, response);
        return;
    }
    std::optional<FaultRule> fault = faults_.Take(host + target);
    if (fault) {
        switch (fault->kind) {
        case FaultRule::Kind::NotFound:
            response.status = 404;
            response.set_content("Not Found\n", "text/plain");
            return;
        case FaultRule::Kind::ServerError:
            response.status = 500;
            response.set_content("Internal Server Error\n", "text/plain");
            return;
        case FaultRule::Kind::Empty:
            response.status = 200;
            response.set_content("", "text/html");
            return;
        default:
            break;
        }
    }
    Page page = router_.Handle(ParseRequest(host, target, request.get_header_value("Cookie")), std::time(nullptr));
    Send(fault ? &*fault : nullptr, std::move(page), response);
}

void SiteServer::Send(const FaultRule* fault, Page page, httplib::Response& response)
{
    if (fault)
        Faults::ApplyToText(*fault, page);
    std::string text = Faults::ResolveBreaks(page.text, fault && fault->kind == FaultRule::Kind::LongLines);
    std::string body;
    bool encoded = true;
    if (page.charset == Page::Charset::EucJp)
        encoded = TextCodec::Utf8ToEucJp(text, body);
    else if (page.charset == Page::Charset::ShiftJis)
        encoded = TextCodec::Utf8ToShiftJis(text, body);
    else
        body = std::move(text);
    if (!encoded) {
        response.status = 500;
        response.set_content("page text has no form in the site's encoding\n", "text/plain");
        return;
    }
    if (fault)
        Faults::ApplyToBytes(*fault, body);

    response.status = page.status;
    for (const std::string& cookie : page.setCookies)
        response.set_header("Set-Cookie", cookie);
    response.set_header("Cache-Control", "no-cache");
    const char* type = ContentType(page.charset);
    if (!fault || fault->kind != FaultRule::Kind::Stall) {
        response.set_content(body, type);
        return;
    }
    // Half the page, then silence: the reader must give up on its own.
    auto shared = std::make_shared<std::string>(std::move(body));
    const int seconds = fault->stallSeconds;
    response.set_content_provider(shared->size(), type, [this, shared, seconds](size_t offset, size_t, httplib::DataSink& sink) {
        if (offset == 0) {
            sink.write(shared->data(), shared->size() / 2);
            return true;
        }
        auto until = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
        while (!stopping_ && std::chrono::steady_clock::now() < until)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        return false;
    });
}

void SiteServer::AnswerControl(const std::string& target, httplib::Response& response)
{
    SiteRequest request = ParseRequest(CONTROL_HOST, target, {});
    if (request.path == "/reset") {
        faults_.Clear();
        house_.Reset();
        response.set_content("ok\n", "text/plain");
        return;
    }
    if (request.path != "/fault") {
        response.status = 404;
        response.set_content("control paths: /fault?kind=..&match=..&count=.., /reset\n", "text/plain");
        return;
    }
    FaultRule rule;
    if (!Faults::ParseKind(TextCodec::FormDecode(request.Raw("kind")), rule.kind)) {
        response.status = 400;
        response.set_content("unknown fault kind; one of 404 500 empty nomarker stall huge badeuc crlf longlines\n",
                             "text/plain");
        return;
    }
    rule.match = TextCodec::FormDecode(request.Raw("match"));
    rule.remaining = request.Has("count") ? std::atoi(request.Raw("count").c_str()) : 1;
    if (rule.remaining <= 0)
        rule.remaining = -1;
    if (request.Has("seconds"))
        rule.stallSeconds = std::max(0, std::atoi(request.Raw("seconds").c_str()));
    if (request.Has("bytes"))
        rule.hugeBytes = static_cast<size_t>(std::max(0L, std::atol(request.Raw("bytes").c_str())));
    rule.marker = TextCodec::FormDecode(request.Raw("marker"));
    faults_.Add(rule);
    response.set_content("ok\n", "text/plain");
}

} // namespace sitesim
