#pragma once
// Programs of the build run as child processes: the command-line front end
// and sitesim. Every wait is bounded; a child that outlives it is killed.

#include "TestSupport.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kelo::test {

struct RunResult {
    int status = -1; // exit status; -1 when killed, stopped by a signal or not started
    std::string out; // standard output as written
    std::string err; // standard error
};

// Runs program with args in folder, input on its standard input, the
// environment changed by env ("NAME=value" sets, "NAME" removes). The streams
// pass through files in scratchFolder. Killed after timeoutSeconds.
RunResult RunProgram(const std::string& program, const std::vector<std::string>& args, std::string_view input,
                     const std::string& folder, const std::vector<std::string>& env,
                     const std::string& scratchFolder, int timeoutSeconds = 90);

// Called each time the program has written promptEnd last and waits: all of
// its standard output so far in, the line to type out (nullopt closes its
// standard input).
using Answerer = std::function<std::optional<std::string>(const std::string& outputSoFar)>;

// Runs program as RunProgram does, talking to it through pipes.
RunResult RunDialogue(const std::string& program, const std::vector<std::string>& args, const std::string& folder,
                      const std::vector<std::string>& env, const std::string& scratchFolder,
                      const std::string& promptEnd, const Answerer& answer, int timeoutSeconds = 90);

// sitesim on a free loopback port, stopped with SIGTERM when the object goes.
class SitesimProcess {
public:
    // Adds a test failure (and Port() stays 0) when sitesim reports no port
    // within 20 seconds.
    explicit SitesimProcess(const std::vector<std::string>& options = {});
    ~SitesimProcess();
    SitesimProcess(const SitesimProcess&) = delete;
    SitesimProcess& operator=(const SitesimProcess&) = delete;

    int Port() const { return port_; }
    // Where sitesim wrote "category.lst" and "sorel.lst" at start.
    std::string ListsFolder() const { return folder_ / "lists"; }
    // A GET for host and target sent to sitesim; the body of a 200 answer,
    // else "" (status, when asked for, holds the status or 0).
    std::string Get(std::string_view host, std::string_view target, int* status = nullptr) const;
    // Selects a fault for the next count requests whose host and path
    // contain match.
    bool Fault(std::string_view kind, std::string_view match, int count = 1) const;

private:
    TempDir folder_;
    int pid_ = -1;
    int port_ = 0;
};

} // namespace kelo::test
