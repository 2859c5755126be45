#pragma once
// Helpers shared by the test suites.

#include "app/MemorySettingsStore.h"
#include "app/MessageBox.h"

#include <ctime>
#include <string>
#include <string_view>
#include <vector>

namespace kelo::test {

// A fresh folder under the system's temporary folder, removed with its
// content when the object goes.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::string& path() const { return path_; }
    std::string operator/(std::string_view name) const { return path_ + "/" + std::string(name); }

private:
    std::string path_;
};

// Makes a folder the working folder for the object's lifetime.
class ScopedWorkingFolder {
public:
    explicit ScopedWorkingFolder(const std::string& folder);
    ~ScopedWorkingFolder();

private:
    std::string previous_;
};

// Installs a fresh in-memory profile for the object's lifetime.
class ScopedProfile {
public:
    ScopedProfile();
    ~ScopedProfile();
    MemorySettingsStore& store() { return store_; }

private:
    MemorySettingsStore store_;
};

// Records every message box instead of showing it.
class RecordingMessageBox : public MessageBoxPort {
public:
    RecordingMessageBox();
    ~RecordingMessageBox() override;
    MessageAnswer ShowMessage(std::string_view text, MessageIcon icon, MessageButtons buttons) override;

    struct Shown {
        std::string text;
        MessageIcon icon;
        MessageButtons buttons;
    };
    std::vector<Shown> shown;
};

// Local time of a fixed moment, for fixed clocks and expected end times.
std::time_t LocalTime(int year, int month, int day, int hour, int minute);

std::string ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, std::string_view bytes);
bool FileExists(const std::string& path);
// Permission bits of a file (st_mode & 0777).
unsigned FileMode(const std::string& path);

} // namespace kelo::test
