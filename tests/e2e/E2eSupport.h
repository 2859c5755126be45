#pragma once
// The end-to-end tests' world: sitesim on a loopback port, and a user with a
// home of their own (profile, cookies, favourites, working folder and a copy
// of kelo-cli, whose cache folder lies beside it) whose proxy setting points
// at sitesim.

#include "ChildProcess.h"
#include "TestSupport.h"

#include <QtSettingsStore.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace kelo::e2e {

using test::RunResult;
using Sitesim = test::SitesimProcess;

class KeloUser {
public:
    // A fresh home; the working folder holds the lists sitesim wrote.
    explicit KeloUser(const Sitesim& site);
    ~KeloUser();
    KeloUser(const KeloUser&) = delete;
    KeloUser& operator=(const KeloUser&) = delete;

    // kelo-cli with args in the working folder; input is its standard input.
    RunResult Cli(const std::vector<std::string>& args, std::string_view input = "") const;
    // kelo-cli answering its prompts (lines ending in ": ") through answer.
    RunResult Dialogue(const std::vector<std::string>& args, const test::Answerer& answer) const;

    std::string Work(std::string_view name) const { return work_ + "/" + std::string(name); }
    std::string CacheFolder() const { return bin_ + "/Kelo_CASHs"; }
    std::string FavoritesFolder() const { return home_ + "/Favorites/Kelo"; }
    QtSettingsStore& Settings() { return *settings_; }
    // Points this process's core at the same home and working folder, for
    // commands run in-process; undone when the object goes.
    void UseInThisProcess();

private:
    std::vector<std::string> Environment() const;

    test::TempDir root_;
    std::string home_;
    std::string config_;
    std::string data_;
    std::string work_;
    std::string bin_;
    std::unique_ptr<QtSettingsStore> settings_;
    std::unique_ptr<test::ScopedWorkingFolder> working_;
};

// A sitesim and a user of it, for one test.
class E2eTest : public ::testing::Test {
protected:
    E2eTest() : user(site) {}
    RunResult Run(const std::vector<std::string>& args, std::string_view input = "") const {
        return user.Cli(args, input);
    }
    // Signs in as sitesim's demo account.
    void SignIn() const;
    // The rows of a listing command that must succeed.
    std::vector<std::vector<std::string>> Listing(const std::vector<std::string>& args) const;

    Sitesim site;
    KeloUser user;
};

// A Shift_JIS literal of the tests as the UTF-8 kelo-cli prints.
std::string U8(std::string_view sjis);
// kelo-cli's standard output: one record per line, split at tabs.
std::vector<std::vector<std::string>> Records(const std::string& out);
// The item addresses of listed rows, in list order: what stays the same when
// a listing is read twice while the time left ticks.
std::vector<std::string> Addresses(const std::vector<std::vector<std::string>>& rows);
// The system's messages on standard error, the text after "Kelo: " with its
// own line feeds.
std::vector<std::string> Messages(const std::string& err);

} // namespace kelo::e2e
