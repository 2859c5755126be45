#include "collections/Favorites.h"

#include "app/MessageBox.h"
#include "app/NetworkOperation.h"
#include "collections/AtomicFile.h"
#include "item/AddFavoriteDialog.h"
#include "item/Browser.h"
#include "item/ButtonBar.h"
#include "item/ItemSummary.h"
#include "net/JString.h"
#include "net/PageFetch.h"
#include "net/SiteRequests.h"
#include "net/WorkingFiles.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace kelo {
namespace {

namespace fs = std::filesystem;

std::string gFavoritesDirForTests;

constexpr std::string_view SHORTCUT_EXTENSION = ".url";
// A file name may hold 255 bytes: the name, ".url" and, while it is written,
// the temporary file's suffix of seven.
constexpr std::size_t MAX_NAME_BYTES = 255 - SHORTCUT_EXTENSION.size() - 7;

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && IsSpace(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsSpace(text.back()))
        text.remove_suffix(1);
    return text;
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

bool IsShortcutFileName(std::string_view fileName) {
    return fileName.size() >= SHORTCUT_EXTENSION.size() &&
           EqualsIgnoringCase(fileName.substr(fileName.size() - SHORTCUT_EXTENSION.size()),
                              SHORTCUT_EXTENSION);
}

// Path separators of either platform and control bytes become "_"; a "\" that
// is the second byte of a Shift_JIS character stays, being no separator.
std::string ReplaceUnsafeBytes(std::string_view name) {
    std::string out;
    for (std::size_t at = 0; at < name.size(); ++at) {
        const auto byte = static_cast<unsigned char>(name[at]);
        if (IsSjisLeadByte(byte) && at + 1 < name.size()) {
            out += name.substr(at, 2);
            ++at;
        } else if (byte == '/' || byte == '\\' || byte < 0x20 || byte == 0x7F) {
            out += '_';
        } else {
            out += static_cast<char>(byte);
        }
    }
    return out;
}

// Cuts a name to the file system's limit without splitting a character.
std::string FitName(std::string name) {
    if (name.size() <= MAX_NAME_BYTES)
        return name;
    std::size_t keep = 0;
    for (std::size_t at = 0; at < name.size();) {
        const std::size_t width = IsSjisLeadByte(static_cast<unsigned char>(name[at])) ? 2 : 1;
        if (at + width > MAX_NAME_BYTES)
            break;
        at += width;
        keep = at;
    }
    name.resize(keep);
    return name;
}

bool IsUsableName(std::string_view name) {
    return !name.empty() && name != "." && name != "..";
}

// A display name handed back by a front end stays inside the folder.
bool StaysInFolder(std::string_view name) {
    return name.find('/') == std::string_view::npos && name.find('\0') == std::string_view::npos;
}

// The shortcut file of a display name: "name.url", or a file another program
// wrote with the extension in other letters.
std::string FindShortcutFile(const std::string& folder, std::string_view name) {
    if (!StaysInFolder(name))
        return {};
    const std::string exact = folder + "/" + std::string(name) + std::string(SHORTCUT_EXTENSION);
    std::error_code error;
    if (fs::is_regular_file(exact, error))
        return exact;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        const std::string fileName = it->path().filename().string();
        if (IsShortcutFileName(fileName) &&
            std::string_view(fileName).substr(0, fileName.size() - SHORTCUT_EXTENSION.size()) == name)
            return it->path().string();
    }
    return {};
}

// The URL key of the [InternetShortcut] section, read the way the platform's
// profile reader does: names in any letter case, the value trimmed and
// unquoted.
std::string ShortcutUrl(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::string line;
    bool inSection = false;
    while (std::getline(file, line)) {
        const std::string_view text = Trim(line);
        if (!text.empty() && text.front() == '[') {
            const std::size_t close = text.find(']');
            inSection = close != std::string_view::npos &&
                        EqualsIgnoringCase(Trim(text.substr(1, close - 1)), "InternetShortcut");
            continue;
        }
        const std::size_t equals = text.find('=');
        if (!inSection || equals == std::string_view::npos ||
            !EqualsIgnoringCase(Trim(text.substr(0, equals)), "URL"))
            continue;
        std::string_view value = Trim(text.substr(equals + 1));
        if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
            value.back() == value.front())
            value = value.substr(1, value.size() - 2);
        return std::string(value);
    }
    return {};
}

std::string ShortcutText(std::string_view url) {
    // A line break inside the URL would add keys of its own to the file.
    std::string clean;
    for (char c : url)
        if (c != '\r' && c != '\n')
            clean += c;
    return "[DEFAULT]\r\nBASEURL=" + clean + "\r\n[InternetShortcut]\r\nURL=" + clean + "\r\n";
}

} // namespace

std::string Favorites::GetFavoritesDir() {
    std::string folder = gFavoritesDirForTests;
    if (folder.empty()) {
        const char* home = std::getenv("USERPROFILE");
        if (home == nullptr || *home == '\0')
            home = std::getenv("HOME");
        folder = std::string(home == nullptr ? "" : home) + "/Favorites/Kelo";
    }
    std::error_code error;
    if (!fs::exists(folder, error)) {
        // The Favorites folder itself is no fixture of this platform, so it is
        // made along with ours.
        fs::create_directories(folder, error);
        if (error)
            ShowMessageBox("お気に入りﾃﾞｨﾚｸﾄﾘの作成に失敗しました(001004)", MessageIcon::Exclamation,
                           MessageButtons::Ok);
    }
    return folder;
}

void Favorites::SetFavoritesDirForTests(const std::string& folder) {
    gFavoritesDirForTests = folder;
}

std::string Favorites::SafeFavoriteName(std::string_view name, std::string_view url) {
    std::string safe = FitName(ReplaceUnsafeBytes(Trim(name)));
    if (IsUsableName(safe))
        return safe;
    safe = FitName(ReplaceUnsafeBytes(Trim(ItemIdFromUrl(url))));
    if (IsUsableName(safe))
        return safe;
    return "お気に入り";
}

std::string Favorites::SaveFavorite(std::string_view url, std::string_view name) {
    const std::string folder = GetFavoritesDir();
    std::string used = SafeFavoriteName(name, url);
    if (!WriteFileAtomically(folder + "/" + used + std::string(SHORTCUT_EXTENSION), ShortcutText(url)))
        used.clear();
    RefreshFavorites();
    return used;
}

bool Favorites::DeleteFavorite(std::string_view name) {
    const std::string path = FindShortcutFile(GetFavoritesDir(), name);
    const bool removed = !path.empty() && std::remove(path.c_str()) == 0;
    RefreshFavorites();
    return removed;
}

std::vector<std::string> Favorites::ListFavorites() const {
    std::vector<std::string> names;
    std::error_code error;
    for (fs::directory_iterator it(GetFavoritesDir(), error), end; !error && it != end; it.increment(error)) {
        const std::string fileName = it->path().filename().string();
        if (IsShortcutFileName(fileName) && !it->is_directory(error))
            names.push_back(fileName.substr(0, fileName.size() - SHORTCUT_EXTENSION.size()));
    }
    std::sort(names.begin(), names.end());
    return names;
}

void Favorites::RefreshFavorites() {
    const std::vector<std::string> names = ListFavorites();
    if (view_ != nullptr)
        view_->ShowFavorites(names);
}

std::string Favorites::ReadFavoriteUrl(std::string_view name) const {
    const std::string path = FindShortcutFile(GetFavoritesDir(), name);
    return path.empty() ? std::string() : ShortcutUrl(path);
}

void Favorites::OpenFavoriteFromMenu(std::string_view name, ButtonBar& bar, Browser& browser) {
    const std::string url = ReadFavoriteUrl(name);
    if (url.empty())
        return;
    browser.ShowInBrowser(ShowItemSummaryUrl(url, bar));
}

void Favorites::OpenFavoriteFromTree(std::string_view name, ButtonBar& bar, Browser& browser) {
    const std::string url = ReadFavoriteUrl(name);
    if (url.empty()) {
        ShowMessageBox("お気に入り情報の取得に失敗しました(002001)", MessageIcon::Exclamation,
                       MessageButtons::Ok);
        return;
    }
    browser.ShowInBrowser(ShowItemSummaryUrl(url, bar));
    bar.SetCurrentItem(url, name);
}

std::string Favorites::AddToFavorites(std::string_view url, std::string_view title,
                                      AddFavoriteDialog& dialog) {
    if (url.empty())
        return {};
    FavoriteEntry entry;
    entry.url = url;
    entry.name = title;
    if (!dialog.ShowAddFavorite(entry))
        return {};
    const std::string used = SaveFavorite(url, entry.name);
    if (entry.watchList)
        RememberItem(url);
    return used;
}

bool RememberItem(std::string_view itemUrl) {
    std::string server;
    std::string object;
    if (!WatchListRequest(itemUrl, server, object))
        return false;
    NetworkOperation operation;
    if (!operation.Started())
        return false;
    std::string page;
    if (!FetchPage(server, object, page))
        return false;
    WriteDumpFile(DUMP_ADDMYAUCTION, page);
    return true;
}

} // namespace kelo
