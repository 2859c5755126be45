#pragma once
// The program's only way onto the network: one blocking HTTP GET on port 80,
// directly or through the proxy named in the settings, read on every call.

#include <string>
#include <string_view>

namespace kelo {

// Fills page with the body of a 200 answer, carriage returns removed, and
// returns true. Any other status, a network error or a time-out returns false
// and leaves page empty: there is never a partial page.
bool FetchPage(std::string_view server, std::string_view object, std::string& page);

// Limits and seams of the fetch. The defaults are the product's; tests shorten
// the time-outs and send host:80 to a loopback port.
struct FetchTuning {
    long connectTimeoutSeconds = 20;
    long stallSeconds = 60;       // abort when below one byte a second for this long
    std::string connectToPort;    // tests only: "127.0.0.1:PORT" receives every host:80
    std::string cookieFile;       // empty: CookieFilePath()
};
void SetFetchTuning(const FetchTuning& tuning);
const FetchTuning& CurrentFetchTuning();

// The cookie store shared by every request of the process, by the browser
// pane and by the terminal front end: a Netscape-format file in the user's
// data folder, readable by its owner only.
std::string CookieFilePath();
// The user's data folder for Kelo ($XDG_DATA_HOME/Kelo or ~/.local/share/Kelo),
// created on demand.
std::string UserDataFolder();

} // namespace kelo
