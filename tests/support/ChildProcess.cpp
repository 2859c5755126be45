#include "ChildProcess.h"

#include <gtest/gtest.h>
#include <httplib.h>

#include <algorithm>
#include <chrono>
#include <cctype>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <poll.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace kelo::test {
namespace {

using Clock = std::chrono::steady_clock;

std::vector<std::string> ChildEnvironment(const std::vector<std::string>& changes) {
    std::vector<std::string> env;
    for (char** entry = environ; *entry; ++entry)
        env.emplace_back(*entry);
    for (const std::string& change : changes) {
        const std::string name = change.substr(0, change.find('='));
        std::erase_if(env, [&](const std::string& e) { return e.compare(0, name.size() + 1, name + "=") == 0; });
        if (change.find('=') != std::string::npos)
            env.push_back(change);
    }
    return env;
}

std::vector<char*> Pointers(std::vector<std::string>& strings) {
    std::vector<char*> pointers;
    for (std::string& s : strings)
        pointers.push_back(s.data());
    pointers.push_back(nullptr);
    return pointers;
}

// fork and exec with the three standard streams on the given descriptors,
// which the caller opened close-on-exec; -1 on failure.
int Spawn(const std::string& program, const std::vector<std::string>& args, const std::string& folder,
          const std::vector<std::string>& envChanges, int in, int out, int err) {
    std::vector<std::string> argv{program};
    argv.insert(argv.end(), args.begin(), args.end());
    std::vector<std::string> env = ChildEnvironment(envChanges);
    std::vector<char*> argvp = Pointers(argv);
    std::vector<char*> envp = Pointers(env);
    const pid_t pid = fork();
    if (pid != 0)
        return pid;
    if (dup2(in, 0) < 0 || dup2(out, 1) < 0 || dup2(err, 2) < 0 || chdir(folder.c_str()) != 0)
        _exit(127);
    execve(program.c_str(), argvp.data(), envp.data());
    _exit(127);
}

int SpawnOnFiles(const std::string& program, const std::vector<std::string>& args, const std::string& folder,
                 const std::vector<std::string>& env, const std::string& inPath, const std::string& outPath,
                 const std::string& errPath) {
    const int in = open(inPath.c_str(), O_RDONLY | O_CLOEXEC);
    const int out = open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    const int err = open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    const int pid = in < 0 || out < 0 || err < 0 ? -1 : Spawn(program, args, folder, env, in, out, err);
    for (int fd : {in, out, err})
        if (fd >= 0)
            close(fd);
    return pid;
}

// Waits for the child at most timeout; kills it after that. Exit status or -1.
int Reap(int pid, std::chrono::milliseconds timeout) {
    const auto deadline = Clock::now() + timeout;
    int status = 0;
    while (waitpid(pid, &status, WNOHANG) == 0) {
        if (Clock::now() > deadline) {
            kill(pid, SIGKILL);
            waitpid(pid, &status, 0);
            return -1;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

} // namespace

RunResult RunProgram(const std::string& program, const std::vector<std::string>& args, std::string_view input,
                     const std::string& folder, const std::vector<std::string>& env,
                     const std::string& scratchFolder, int timeoutSeconds) {
    const std::string inPath = scratchFolder + "/stdin.txt";
    const std::string outPath = scratchFolder + "/stdout.txt";
    const std::string errPath = scratchFolder + "/stderr.txt";
    WriteFileBytes(inPath, input);
    RunResult result;
    const int pid = SpawnOnFiles(program, args, folder, env, inPath, outPath, errPath);
    if (pid < 0)
        return result;
    result.status = Reap(pid, std::chrono::seconds(timeoutSeconds));
    result.out = ReadFileBytes(outPath);
    result.err = ReadFileBytes(errPath);
    return result;
}

RunResult RunDialogue(const std::string& program, const std::vector<std::string>& args, const std::string& folder,
                      const std::vector<std::string>& env, const std::string& scratchFolder,
                      const std::string& promptEnd, const Answerer& answer, int timeoutSeconds) {
    RunResult result;
    int input[2] = {-1, -1};
    int output[2] = {-1, -1};
    const std::string errPath = scratchFolder + "/stderr.txt";
    const int err = open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (err < 0 || pipe2(input, O_CLOEXEC) != 0 || pipe2(output, O_CLOEXEC) != 0)
        return result;
    const int pid = Spawn(program, args, folder, env, input[0], output[1], err);
    close(input[0]);
    close(output[1]);
    close(err);
    if (pid < 0) {
        close(input[1]);
        close(output[0]);
        return result;
    }
    // A child that stops reading must not kill this process with SIGPIPE.
    std::signal(SIGPIPE, SIG_IGN);
    const auto deadline = Clock::now() + std::chrono::seconds(timeoutSeconds);
    std::size_t answeredAt = 0;
    while (Clock::now() < deadline) {
        pollfd ready{output[0], POLLIN, 0};
        if (poll(&ready, 1, 100) <= 0)
            continue;
        char buffer[4096];
        const ssize_t got = read(output[0], buffer, sizeof buffer);
        if (got <= 0)
            break;
        result.out.append(buffer, static_cast<std::size_t>(got));
        const bool prompted = result.out.size() >= promptEnd.size() &&
                              result.out.compare(result.out.size() - promptEnd.size(), promptEnd.size(), promptEnd) == 0;
        if (!prompted || answeredAt == result.out.size() || input[1] < 0)
            continue;
        answeredAt = result.out.size();
        const std::optional<std::string> line = answer(result.out);
        if (!line) {
            close(input[1]);
            input[1] = -1;
        } else if (write(input[1], (*line + "\n").data(), line->size() + 1) < 0) {
            break;
        }
    }
    if (input[1] >= 0)
        close(input[1]);
    close(output[0]);
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    result.status = Reap(pid, std::max(left, std::chrono::milliseconds(1000)));
    result.err = ReadFileBytes(errPath);
    return result;
}

SitesimProcess::SitesimProcess(const std::vector<std::string>& options) {
    std::filesystem::create_directories(ListsFolder());
    std::vector<std::string> args{"--port", "0", "--write-lists", ListsFolder()};
    args.insert(args.end(), options.begin(), options.end());
    const std::string outPath = folder_ / "sitesim.out";
    WriteFileBytes(folder_ / "stdin", "");
    pid_ = SpawnOnFiles(KELO_SITESIM_PATH, args, folder_.path(), {}, folder_ / "stdin", outPath, folder_ / "sitesim.err");
    if (pid_ < 0) {
        ADD_FAILURE() << "sitesim could not be started";
        return;
    }
    const std::string marker = "sitesim: listening on 127.0.0.1:";
    const auto deadline = Clock::now() + std::chrono::seconds(20);
    while (Clock::now() < deadline) {
        const std::string out = ReadFileBytes(outPath);
        if (const std::size_t at = out.find(marker); at != std::string::npos) {
            const std::size_t lineEnd = out.find('\n', at);
            if (lineEnd != std::string::npos) {
                port_ = std::atoi(out.c_str() + at + marker.size());
                return;
            }
        }
        int status = 0;
        if (waitpid(pid_, &status, WNOHANG) == pid_) {
            pid_ = -1;
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    ADD_FAILURE() << "sitesim reported no port:\n"
                  << ReadFileBytes(outPath) << ReadFileBytes(folder_ / "sitesim.err");
}

SitesimProcess::~SitesimProcess() {
    if (pid_ < 0)
        return;
    kill(pid_, SIGTERM);
    if (Reap(pid_, std::chrono::seconds(10)) < 0)
        ADD_FAILURE() << "sitesim did not stop on SIGTERM";
}

std::string SitesimProcess::Get(std::string_view host, std::string_view path, int* status) const {
    httplib::Client client("127.0.0.1", port_);
    client.set_connection_timeout(10);
    client.set_read_timeout(30);
    const httplib::Headers headers{{"Host", std::string(host)}};
    auto answer = client.Get(std::string(path).c_str(), headers);
    if (status)
        *status = answer ? answer->status : 0;
    return answer && answer->status == 200 ? answer->body : std::string();
}

bool SitesimProcess::Fault(std::string_view kind, std::string_view match, int count) const {
    std::string encoded;
    for (unsigned char c : match) {
        if (std::isalnum(c) || c == '.' || c == '/' || c == '-' || c == '_') {
            encoded += static_cast<char>(c);
        } else {
            char escape[4];
            std::snprintf(escape, sizeof escape, "%%%02X", c);
            encoded += escape;
        }
    }
    int status = 0;
    Get("control.sitesim.test",
        "/fault?kind=" + std::string(kind) + "&match=" + encoded + "&count=" + std::to_string(count), &status);
    return status == 200;
}

} // namespace kelo::test
