#include "TestSupport.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>

namespace kelo::test {

TempDir::TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "kelo-test-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("cannot create a temporary folder");
    path_ = pattern;
}

TempDir::~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

ScopedWorkingFolder::ScopedWorkingFolder(const std::string& folder)
    : previous_(std::filesystem::current_path().string()) {
    std::filesystem::current_path(folder);
}

ScopedWorkingFolder::~ScopedWorkingFolder() {
    std::error_code ignored;
    std::filesystem::current_path(previous_, ignored);
}

ScopedProfile::ScopedProfile() { SetProfile(store_); }
ScopedProfile::~ScopedProfile() {
    static MemorySettingsStore emptyStore;
    SetProfile(emptyStore);
}

RecordingMessageBox::RecordingMessageBox() { SetMessageBoxPort(*this); }
RecordingMessageBox::~RecordingMessageBox() { ResetMessageBoxPort(); }

MessageAnswer RecordingMessageBox::ShowMessage(std::string_view text, MessageIcon icon,
                                               MessageButtons buttons) {
    shown.push_back({std::string(text), icon, buttons});
    return buttons == MessageButtons::AbortRetryIgnore ? MessageAnswer::Ignore : MessageAnswer::Ok;
}

std::time_t LocalTime(int year, int month, int day, int hour, int minute) {
    std::tm tm{};
    tm.tm_year = year - 1900;
    tm.tm_mon = month - 1;
    tm.tm_mday = day;
    tm.tm_hour = hour;
    tm.tm_min = minute;
    tm.tm_isdst = -1;
    return std::mktime(&tm);
}

std::string ReadFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteFileBytes(const std::string& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

bool FileExists(const std::string& path) { return std::filesystem::exists(path); }

unsigned FileMode(const std::string& path) {
    struct stat st {};
    if (stat(path.c_str(), &st) != 0)
        return 0;
    return st.st_mode & 0777;
}

} // namespace kelo::test
