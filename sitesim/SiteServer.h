#pragma once
// One loopback port that serves every host of both sites, in proxy form
// ("GET http://host/path") and in origin form with a Host header, plus the
// control host control.sitesim.test that switches faults.

#include "AuctionHouse.h"
#include "Faults.h"
#include "Sessions.h"
#include "SiteRouter.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace httplib {
class Server;
struct Request;
struct Response;
} // namespace httplib

namespace sitesim {

struct SiteOptions {
    std::uint64_t seed = 1;
    int items = 3000;
    std::string user = "demo";
    std::string password = "demo";
    std::vector<FaultRule> faults;
};

class SiteServer {
public:
    explicit SiteServer(const SiteOptions& options);
    ~SiteServer();
    SiteServer(const SiteServer&) = delete;
    SiteServer& operator=(const SiteServer&) = delete;

    // Listens on 127.0.0.1:port (0 picks a free port) and serves on a thread
    // of its own. False with a reason when the port cannot be had.
    bool Start(int port, std::string& error);
    int Port() const { return port_; }
    // Ends every answer in progress, stalled ones included, and returns when
    // the server has stopped.
    void Stop();

    AuctionHouse& House() { return house_; }
    Faults& FaultSwitches() { return faults_; }

private:
    void Answer(const httplib::Request& request, httplib::Response& response);
    void AnswerControl(const std::string& target, httplib::Response& response);
    void Send(const FaultRule* fault, Page page, httplib::Response& response);

    AuctionHouse house_;
    Sessions sessions_;
    Faults faults_;
    SiteRouter router_;
    std::unique_ptr<httplib::Server> server_;
    std::thread thread_;
    std::atomic<bool> stopping_{false};
    int port_ = 0;
};

} // namespace sitesim
