// The sitesim program as scripts and users run it.

#include "SiteTestSupport.h"

#include "TestSupport.h"

#include <httplib.h>

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

namespace sitesim::test {
namespace {

// sitesim as a child process with its output on pipes.
class Child {
public:
    explicit Child(std::vector<std::string> arguments)
    {
        int out[2], err[2];
        if (pipe(out) != 0 || pipe(err) != 0)
            throw std::runtime_error("pipe");
        pid_ = fork();
        if (pid_ == 0) {
            dup2(out[1], 1);
            dup2(err[1], 2);
            close(out[0]);
            close(err[0]);
            std::vector<char*> argv;
            std::string program = KELO_SITESIM_PATH;
            argv.push_back(program.data());
            for (std::string& argument : arguments)
                argv.push_back(argument.data());
            argv.push_back(nullptr);
            execv(program.c_str(), argv.data());
            _exit(127);
        }
        close(out[1]);
        close(err[1]);
        out_ = out[0];
        err_ = err[0];
    }
    ~Child()
    {
        if (pid_ > 0 && status_ < 0) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
        close(out_);
        close(err_);
    }

    // One line of standard output, waiting at most the given time.
    std::string ReadLine(int seconds = 10)
    {
        std::string line;
        auto until = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
        while (std::chrono::steady_clock::now() < until) {
            pollfd fd{out_, POLLIN, 0};
            if (poll(&fd, 1, 100) <= 0)
                continue;
            char c;
            if (read(out_, &c, 1) != 1)
                break;
            if (c == '\n')
                return line;
            line += c;
        }
        return line;
    }
    // Exit status, waiting at most the given time; -1 when it did not end.
    int Wait(int seconds = 10)
    {
        auto until = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
        while (status_ < 0 && std::chrono::steady_clock::now() < until) {
            int raw = 0;
            if (waitpid(pid_, &raw, WNOHANG) == pid_)
                status_ = WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw);
            else
                std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        return status_;
    }
    std::string ErrorText()
    {
        std::string text;
        char buffer[512];
        ssize_t n;
        fcntl(err_, F_SETFL, O_NONBLOCK);
        while ((n = read(err_, buffer, sizeof buffer)) > 0)
            text.append(buffer, static_cast<size_t>(n));
        return text;
    }
    void Signal(int signal) { kill(pid_, signal); }

private:
    pid_t pid_ = -1;
    int out_ = -1, err_ = -1;
    int status_ = -1;
};

int PortOf(const std::string& line)
{
    const std::string prefix = "sitesim: listening on 127.0.0.1:";
    return line.rfind(prefix, 0) == 0 ? std::atoi(line.c_str() + prefix.size()) : 0;
}

Answer ThroughProxy(int port, const std::string& url)
{
    httplib::Client client("127.0.0.1", port);
    client.set_read_timeout(10);
    auto result = client.Get(url);
    Answer answer;
    if (result) {
        answer.status = result->status;
        answer.body = result->body;
    }
    return answer;
}

TEST(SitesimProgram, ServesWritesListsAndStopsOnSignal)
{
    kelo::test::TempDir folder;
    Child child({"--port", "0", "--items", "500", "--write-lists", folder.path(), "--fault", "404:/cat/3108/"});
    int port = PortOf(child.ReadLine());
    ASSERT_GT(port, 0);
    EXPECT_EQ(child.ReadLine(), "sitesim: demo account: user demo password demo");

    for (const std::string name : {"category.lst", "sorel.lst"}) {
        std::string bytes = kelo::test::ReadFileBytes(folder / name), text;
        ASSERT_TRUE(ShiftJisToUtf8(bytes, text)) << name;
        ASSERT_FALSE(text.empty());
        size_t lines = 0, start = 0;
        for (size_t end = text.find("\r\n"); end != std::string::npos; start = end + 2, end = text.find("\r\n", start)) {
            std::string line = text.substr(start, end - start);
            ASSERT_EQ(std::count(line.begin(), line.end(), '\t'), 2) << line;
            std::string depth = line.substr(line.rfind('\t') + 1);
            EXPECT_TRUE(depth == "0" || depth == "1" || depth == "2") << line;
            EXPECT_LT(line.size(), 178u);
            std::string where = line.substr(0, line.find('\t'));
            std::string url = where.rfind("http://", 0) == 0 ? where
                              : name == "sorel.lst"          ? "http://www.sorel.test" + where
                                                             : "http://list.vanto.test" + where;
            EXPECT_EQ(ThroughProxy(port, url).status, where == "/cat/3108/" ? 404 : 200) << url;
            ++lines;
        }
        EXPECT_EQ(start, text.size()) << name << " has a last line without CR LF";
        EXPECT_GT(lines, 5u);
    }
    EXPECT_NE(kelo::test::ReadFileBytes(folder / "category.lst").find(Utf8ToShiftJis("\tノートパソコン\t2\r\n")),
              std::string::npos);

    child.Signal(SIGTERM);
    EXPECT_EQ(child.Wait(), 0);
}

TEST(SitesimProgram, RefusesABusyPortAndBadOptions)
{
    Child first({"--port", "0", "--items", "100"});
    int port = PortOf(first.ReadLine());
    ASSERT_GT(port, 0);
    Child second({"--port", std::to_string(port), "--items", "100"});
    EXPECT_EQ(second.Wait(), 3);
    EXPECT_NE(second.ErrorText().find(std::to_string(port)), std::string::npos);
    first.Signal(SIGINT);
    EXPECT_EQ(first.Wait(), 0);

    for (const std::vector<std::string>& arguments : std::vector<std::vector<std::string>>{
             {"--port", "http"}, {"--prot", "0"}, {"--port"}, {"--port", "0", "--fault", "slow:x"}, {"--items", "-5"}}) {
        Child bad(arguments);
        EXPECT_EQ(bad.Wait(), 2) << arguments[0];
        EXPECT_NE(bad.ErrorText().find("usage: sitesim"), std::string::npos);
    }
}

} // namespace
} // namespace sitesim::test
