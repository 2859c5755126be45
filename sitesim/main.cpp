// sitesim: the local Vanto and Sorel sites on one loopback port.

#include "CommandLine.h"
#include "ListFiles.h"
#include "SiteServer.h"

#include <csignal>
#include <cstdio>
#include <mutex>
#include <pthread.h>

int main(int argc, char** argv)
{
    using namespace sitesim;
    std::vector<std::string> arguments(argv + 1, argv + argc);
    CommandLine options;
    std::string error;
    if (!CommandLine::Parse(arguments, options, error)) {
        std::fprintf(stderr, "sitesim: %s\n%s", error.c_str(), CommandLine::Usage());
        return 2;
    }
    if (options.help) {
        std::fputs(CommandLine::Usage(), stdout);
        return 0;
    }

    // The signals are taken by sigwait below; every thread started from here
    // on inherits the mask and leaves them alone.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);
    std::signal(SIGPIPE, SIG_IGN);

    SiteServer server(options.site);
    if (!options.listFolder.empty()) {
        bool written;
        {
            std::lock_guard lock(server.House().Mutex());
            written = ListFiles::Write(server.House().Current(), options.listFolder, error);
        }
        if (!written) {
            std::fprintf(stderr, "sitesim: cannot write the category lists: %s\n", error.c_str());
            return 4;
        }
    }
    if (!server.Start(options.port, error)) {
        std::fprintf(stderr, "sitesim: %s\n", error.c_str());
        return 3;
    }
    std::printf("sitesim: listening on 127.0.0.1:%d\n", server.Port());
    std::printf("sitesim: demo account: user %s password %s\n", options.site.user.c_str(),
                options.site.password.c_str());
    if (!options.listFolder.empty())
        std::printf("sitesim: wrote category.lst and sorel.lst into %s\n", options.listFolder.c_str());
    std::fflush(stdout);

    int received = 0;
    sigwait(&stopSignals, &received);
    server.Stop();
    std::printf("sitesim: stopped\n");
    std::fflush(stdout);
    return 0;
}
