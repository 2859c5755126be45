// The fetch against real HTTP servers on loopback: the test's own server as
// origin (through the connect-to seam) or as proxy, and tinyproxy as a real
// proxy in front of it.

#include "app/SettingsTable.h"
#include "net/PageFetch.h"
#include "TestSupport.h"

#include <httplib.h>
#include <gtest/gtest.h>

#include <csignal>
#include <fstream>
#include <sched.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace kelo {
namespace {

using namespace std::chrono_literals;

// An HTTP server on 127.0.0.1 with a free port, answering every path and
// every absolute-form request, as an origin or as a proxy would see them.
class LoopbackServer {
public:
    explicit LoopbackServer(httplib::Server::Handler handler) {
        server_.Get(".*", std::move(handler));
        port_ = server_.bind_to_any_port("127.0.0.1");
        thread_ = std::thread([this] { server_.listen_after_bind(); });
        for (int i = 0; i < 200 && !server_.is_running(); ++i)
            std::this_thread::sleep_for(10ms);
    }
    ~LoopbackServer() {
        server_.stop();
        thread_.join();
    }
    int port() const { return port_; }
    std::string address() const { return "127.0.0.1:" + std::to_string(port_); }

private:
    httplib::Server server_;
    int port_ = -1;
    std::thread thread_;
};

class FetchPageTest : public ::testing::Test {
protected:
    void SetUp() override {
        tuning_.cookieFile = dir_ / "cookies.txt";
        SetFetchTuning(tuning_);
    }
    void TearDown() override { SetFetchTuning({}); }

    void SendEveryHostTo(const LoopbackServer& server) {
        tuning_.connectToPort = server.address();
        SetFetchTuning(tuning_);
    }

    void UseProxy(const std::string& address, int port) {
        WriteStringSetting(profile_.store(), Setting::ProxySwitch, "1");
        WriteStringSetting(profile_.store(), Setting::ProxyAddress, address);
        WriteStringSetting(profile_.store(), Setting::ProxyPort, std::to_string(port));
    }

    test::TempDir dir_;
    test::ScopedProfile profile_;
    FetchTuning tuning_;
};

TEST_F(FetchPageTest, BodiesArriveWholeWithCarriageReturnsRemoved) {
    const std::string longLine(3000, 'x');
    struct Case {
        const char* path;
        std::string body;
        std::string expected;
    } cases[] = {
        {"/crlf", "<html>\r\n<b>1,000</b>\r\n", "<html>\n<b>1,000</b>\n"},
        {"/long", longLine + "\r\nend", longLine + "\nend"},
        {"/empty", "", ""},
        {"/sjis", "\x95\x5C\x8E\xA6\r\n", "\x95\x5C\x8E\xA6\n"},
    };
    LoopbackServer server([&](const httplib::Request& req, httplib::Response& res) {
        for (const Case& c : cases)
            if (req.path == c.path)
                res.set_content(c.body, "text/html");
    });
    SendEveryHostTo(server);
    for (const Case& c : cases) {
        std::string page = "stale";
        EXPECT_TRUE(FetchPage("search.vanto.test", c.path, page)) << c.path;
        EXPECT_EQ(page, c.expected) << c.path;
    }
}

TEST_F(FetchPageTest, FailuresReturnNoPage) {
    LoopbackServer server([](const httplib::Request& req, httplib::Response& res) {
        if (req.path == "/missing") {
            res.status = 404;
            res.set_content("<html>not here</html>", "text/html");
        } else if (req.path == "/error") {
            res.status = 500;
            res.set_content("<html>broken</html>", "text/html");
        }
    });
    SendEveryHostTo(server);
    for (const char* path : {"/missing", "/error"}) {
        std::string page = "stale";
        EXPECT_FALSE(FetchPage("search.vanto.test", path, page)) << path;
        EXPECT_TRUE(page.empty()) << path;
    }
}

TEST_F(FetchPageTest, RefusedConnectionFails) {
    int closedPort;
    {
        LoopbackServer server([](const httplib::Request&, httplib::Response&) {});
        closedPort = server.port();
    }
    tuning_.connectToPort = "127.0.0.1:" + std::to_string(closedPort);
    SetFetchTuning(tuning_);
    std::string page;
    EXPECT_FALSE(FetchPage("search.vanto.test", "/", page));
    EXPECT_TRUE(page.empty());
}

// A server that accepts the request and then sends nothing must not hold the
// program forever.
TEST_F(FetchPageTest, StalledServerTimesOut) {
    LoopbackServer server([](const httplib::Request&, httplib::Response& res) {
        std::this_thread::sleep_for(4s);
        res.set_content("too late", "text/html");
    });
    SendEveryHostTo(server);
    tuning_.stallSeconds = 1;
    SetFetchTuning(tuning_);
    const auto started = std::chrono::steady_clock::now();
    std::string page;
    EXPECT_FALSE(FetchPage("search.vanto.test", "/stall", page));
    EXPECT_TRUE(page.empty());
    EXPECT_LT(std::chrono::steady_clock::now() - started, 3500ms);
}

TEST_F(FetchPageTest, CookieFromOneAnswerGoesWithTheNextRequestAndFileIsPrivate) {
    std::string cookieSeen;
    LoopbackServer server([&](const httplib::Request& req, httplib::Response& res) {
        if (req.path == "/jp/signin/auth")
            res.set_header("Set-Cookie", "VSESSION=abc123; Domain=.vanto.test; Path=/");
        else
            cookieSeen = req.get_header_value("Cookie");
        res.set_content("ok", "text/html");
    });
    SendEveryHostTo(server);
    std::string page;
    ASSERT_TRUE(FetchPage("login.vanto.test", "/jp/signin/auth", page));
    ASSERT_TRUE(FetchPage("user.vanto.test", "/jp/show/mystatus?select=won", page));
    EXPECT_EQ(cookieSeen, "VSESSION=abc123");
    EXPECT_NE(test::ReadFileBytes(tuning_.cookieFile).find("VSESSION\tabc123"), std::string::npos);
    EXPECT_EQ(test::FileMode(tuning_.cookieFile), 0600u);
}

TEST_F(FetchPageTest, RequestIsAlwaysFreshAndNamesKelo) {
    httplib::Headers seen;
    std::string target;
    LoopbackServer server([&](const httplib::Request& req, httplib::Response& res) {
        seen = req.headers;
        target = req.target;
        res.set_content("ok", "text/html");
    });
    SendEveryHostTo(server);
    std::string page;
    // A port written with the host is not used, and bytes a URL cannot carry
    // are sent encoded.
    ASSERT_TRUE(FetchPage("list.vanto.test:8080", "/jp/cat 1/\x8E\xA6", page));
    EXPECT_EQ(target, "/jp/cat%201/%8E%A6");
    auto header = [&](const char* name) {
        auto it = seen.find(name);
        return it == seen.end() ? std::string() : it->second;
    };
    EXPECT_EQ(header("User-Agent"), "Kelo");
    EXPECT_EQ(header("Cache-Control"), "no-cache");
    EXPECT_EQ(header("Host"), "list.vanto.test");
}

TEST_F(FetchPageTest, ProxySettingIsReadOnEveryRequest) {
    std::vector<std::string> proxied;
    LoopbackServer proxy([&](const httplib::Request& req, httplib::Response& res) {
        proxied.push_back(req.get_header_value("Host") + req.path);
        res.set_content("via proxy", "text/html");
    });
    std::string page;
    UseProxy("127.0.0.1", proxy.port());
    ASSERT_TRUE(FetchPage("search.vanto.test", "/search/auc?p=a", page));
    EXPECT_EQ(page, "via proxy");
    ASSERT_EQ(proxied.size(), 1u);
    EXPECT_NE(proxied[0].find("search.vanto.test"), std::string::npos);

    // Switched off (any value but 1) takes effect on the very next request:
    // the direct request then goes to the closed port and fails.
    for (const char* off : {"0", "", "2"}) {
        WriteStringSetting(profile_.store(), Setting::ProxySwitch, off);
        tuning_.connectToPort = "127.0.0.1:1";
        SetFetchTuning(tuning_);
        EXPECT_FALSE(FetchPage("search.vanto.test", "/", page)) << '"' << off << '"';
    }
    EXPECT_EQ(proxied.size(), 1u);
}

// Name resolution runs in a network namespace of its own with nothing but a
// loopback device, so the query cannot leave the machine.
TEST_F(FetchPageTest, UnresolvableHostFailsQuietly) {
    const pid_t child = fork();
    ASSERT_NE(child, -1);
    if (child == 0) {
        if (unshare(CLONE_NEWNET) != 0)
            _exit(77);
        SetFetchTuning({.connectTimeoutSeconds = 5, .stallSeconds = 5, .connectToPort = {},
                        .cookieFile = tuning_.cookieFile});
        std::string page;
        _exit(FetchPage("nowhere.vanto.test", "/", page) || !page.empty() ? 1 : 0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    if (WEXITSTATUS(status) == 77)
        GTEST_SKIP() << "cannot make a private network namespace here (needs root)";
    EXPECT_EQ(WEXITSTATUS(status), 0);
}

// A real proxy between Kelo and the site. tinyproxy forwards to the test's
// server as its upstream, so it never has to look a host name up.
class TinyproxyTest : public FetchPageTest {
protected:
    static std::string TinyproxyPath() {
        for (const char* path : {"/usr/bin/tinyproxy", "/usr/sbin/tinyproxy"})
            if (access(path, X_OK) == 0)
                return path;
        return {};
    }

    bool StartTinyproxy(int upstreamPort) {
        const std::string binary = TinyproxyPath();
        if (binary.empty())
            return false;
        LoopbackServer probe([](const httplib::Request&, httplib::Response&) {});
        proxyPort_ = probe.port(); // free a moment ago; tinyproxy takes it over
        std::string& config = configPath_ = dir_ / "tinyproxy.conf";
        std::ofstream(config) << "Port " << proxyPort_ << "\nListen 127.0.0.1\nTimeout 20\n"
                              << "Allow 127.0.0.1\nMaxClients 4\nLogLevel Critical\n"
                              << "Upstream http 127.0.0.1:" << upstreamPort << "\n";
        return true;
    }

    void RunTinyproxy() {
        pid_ = fork();
        if (pid_ == 0) {
            execl(TinyproxyPath().c_str(), "tinyproxy", "-d", "-c", configPath_.c_str(), nullptr);
            _exit(127);
        }
    }

    void TearDown() override {
        if (pid_ > 0) {
            kill(pid_, SIGTERM);
            waitpid(pid_, nullptr, 0);
        }
        FetchPageTest::TearDown();
    }

    int proxyPort_ = 0;
    std::string configPath_;
    pid_t pid_ = -1;
};

TEST_F(TinyproxyTest, PageComesThroughRealProxy) {
    std::string hostSeen;
    LoopbackServer origin([&](const httplib::Request& req, httplib::Response& res) {
        hostSeen = req.get_header_value("Host");
        res.set_content("<html>\r\nthrough tinyproxy\r\n</html>", "text/html");
    });
    if (!StartTinyproxy(origin.port()))
        GTEST_SKIP() << "tinyproxy is not installed (scripts/install-deps installs it)";
    RunTinyproxy();
    UseProxy("127.0.0.1", proxyPort_);

    std::string page;
    bool fetched = false;
    // tinyproxy needs a moment before it listens; retry within a bound.
    for (int attempt = 0; attempt < 50 && !fetched; ++attempt) {
        fetched = FetchPage("search.vanto.test", "/search/auc?p=abc", page);
        if (!fetched)
            std::this_thread::sleep_for(100ms);
    }
    ASSERT_TRUE(fetched);
    EXPECT_EQ(page, "<html>\nthrough tinyproxy\n</html>");
    EXPECT_EQ(hostSeen, "search.vanto.test");
}

} // namespace
} // namespace kelo
