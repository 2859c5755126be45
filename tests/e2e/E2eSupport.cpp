#include "E2eSupport.h"

#include "app/MemorySettingsStore.h"
#include "app/SettingsTable.h"
#include "net/Unicode.h"
#include "net/WorkingFiles.h"

#include <cstdlib>
#include <filesystem>
#include <sstream>

namespace kelo::e2e {

KeloUser::KeloUser(const Sitesim& site)
    : home_(root_ / "home"), config_(root_ / "config"), data_(root_ / "data"), work_(root_ / "work"),
      bin_(root_ / "bin") {
    for (const std::string& folder : {home_, config_, data_, work_, bin_})
        std::filesystem::create_directories(folder);
    // A copy of the program: its cache folder lies beside it, in this home.
    std::filesystem::copy_file(KELO_CLI_PATH, bin_ + "/kelo-cli");
    // Where QSettings keeps the desktop application's profile on this platform.
    settings_ = std::make_unique<QtSettingsStore>(
        QString::fromStdString(config_ + "/Local AppWizard-Generated Applications/Kelo.ini"));
    WriteStringSetting(*settings_, Setting::ProxySwitch, "1");
    WriteStringSetting(*settings_, Setting::ProxyAddress, "127.0.0.1");
    WriteStringSetting(*settings_, Setting::ProxyPort, std::to_string(site.Port()));
    for (const char* list : {"category.lst", "sorel.lst"})
        if (test::FileExists(site.ListsFolder() + "/" + list))
            std::filesystem::copy_file(site.ListsFolder() + "/" + list, Work(list));
}

KeloUser::~KeloUser() {
    if (!working_)
        return;
    static MemorySettingsStore nothingSet;
    SetProfile(nothingSet);
    SetProgramPathForTests("");
}

std::vector<std::string> KeloUser::Environment() const {
    return {"HOME=" + home_, "XDG_CONFIG_HOME=" + config_, "XDG_DATA_HOME=" + data_, "USERPROFILE"};
}

RunResult KeloUser::Cli(const std::vector<std::string>& args, std::string_view input) const {
    return test::RunProgram(bin_ + "/kelo-cli", args, input, work_, Environment(), root_.path());
}

RunResult KeloUser::Dialogue(const std::vector<std::string>& args, const test::Answerer& answer) const {
    return test::RunDialogue(bin_ + "/kelo-cli", args, work_, Environment(), root_.path(), ": ", answer);
}

void KeloUser::UseInThisProcess() {
    setenv("HOME", home_.c_str(), 1);
    setenv("XDG_CONFIG_HOME", config_.c_str(), 1);
    setenv("XDG_DATA_HOME", data_.c_str(), 1);
    unsetenv("USERPROFILE");
    SetProgramPathForTests(bin_ + "/kelo-cli");
    SetProfile(*settings_);
    working_ = std::make_unique<test::ScopedWorkingFolder>(work_);
}

void E2eTest::SignIn() const {
    const RunResult signin = Run({"signin", "demo", "--password", "demo"});
    ASSERT_EQ(signin.status, 0) << signin.err;
}

std::vector<std::vector<std::string>> E2eTest::Listing(const std::vector<std::string>& args) const {
    const RunResult listing = Run(args);
    EXPECT_EQ(listing.status, 0) << listing.err;
    EXPECT_EQ(listing.err, "");
    return Records(listing.out);
}

std::string U8(std::string_view sjis) { return SjisToUtf8(sjis); }

std::vector<std::vector<std::string>> Records(const std::string& out) {
    std::vector<std::vector<std::string>> records;
    std::istringstream lines(out);
    for (std::string line; std::getline(lines, line);) {
        std::vector<std::string> fields;
        std::size_t start = 0;
        for (std::size_t tab; (tab = line.find('\t', start)) != std::string::npos; start = tab + 1)
            fields.push_back(line.substr(start, tab - start));
        fields.push_back(line.substr(start));
        records.push_back(std::move(fields));
    }
    return records;
}

std::vector<std::string> Addresses(const std::vector<std::vector<std::string>>& rows) {
    std::vector<std::string> urls;
    for (const auto& row : rows)
        urls.push_back(row.size() == 6 ? row[5] : std::string());
    return urls;
}

std::vector<std::string> Messages(const std::string& err) {
    std::vector<std::string> messages;
    std::istringstream lines(err);
    bool inMessage = false;
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind("Kelo: ", 0) == 0) {
            messages.push_back(line.substr(6));
            inMessage = true;
        } else if (inMessage && line.rfind("kelo-cli: ", 0) != 0 && line.rfind("usage: ", 0) != 0) {
            messages.back() += "\n" + line; // a message's own line feeds
        } else {
            inMessage = false;
        }
    }
    return messages;
}

} // namespace kelo::e2e
