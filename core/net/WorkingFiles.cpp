#include "net/WorkingFiles.h"

#include "app/MessageBox.h"
#include "net/PageFetch.h"
#include "net/TimeLeft.h"

#include <climits>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace kelo {
namespace {

constexpr const char* CACHE_FOLDER_NAME = "Kelo_CASHs";

std::string gProgramPathOverride;

std::string ProgramFolder() {
    std::string path = gProgramPathOverride;
    if (path.empty()) {
        char buffer[PATH_MAX];
        const ssize_t length = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
        if (length <= 0)
            return ".";
        path.assign(buffer, static_cast<std::size_t>(length));
    }
    const std::size_t slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// A folder we can keep files in: there already, or made now (one level).
bool UsableFolder(const std::string& folder) {
    struct stat st {};
    if (stat(folder.c_str(), &st) != 0 && mkdir(folder.c_str(), 0777) != 0)
        return false;
    return stat(folder.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && access(folder.c_str(), W_OK | X_OK) == 0;
}

} // namespace

// Beside the program file as the program has always kept it; an installed
// program cannot write there, so the user's data folder stands in.
std::string GetCacheFolder() {
    const std::string besideProgram = ProgramFolder() + "/" + CACHE_FOLDER_NAME;
    if (UsableFolder(besideProgram))
        return besideProgram;
    const std::string inUserData = UserDataFolder() + "/" + CACHE_FOLDER_NAME;
    if (UsableFolder(inUserData))
        return inUserData;
    ShowMessageBox("Keloｷｬｯｼｭ用ﾃﾞｨﾚｸﾄﾘの作成に失敗しました(001005)", MessageIcon::Exclamation, MessageButtons::Ok);
    return besideProgram;
}

std::string MakeCacheFileName() {
    const std::time_t now = Now();
    std::tm local{};
    localtime_r(&now, &local);
    char name[32];
    std::strftime(name, sizeof name, "%Y%m%d%H%M%S.kls", &local);
    return GetCacheFolder() + "/" + name;
}

// The old file is removed rather than truncated: truncating a file that was
// just written makes the file system flush it, which costs more than the page.
void WriteDumpFile(const char* name, std::string_view page) {
    std::remove(name);
    FILE* file = std::fopen(name, "wb");
    if (!file)
        return;
    std::fwrite(page.data(), 1, page.size(), file);
    std::fclose(file);
}

void SetProgramPathForTests(const std::string& path) { gProgramPathOverride = path; }

} // namespace kelo
