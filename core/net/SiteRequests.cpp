#include "net/SiteRequests.h"

#include "net/JString.h"

#include <cstdio>

namespace kelo {
namespace {

constexpr std::string_view MY_STATUS_OBJECTS[] = {
    "/jp/show/mystatus?select=watchlist&watchclosed=0",
    "/jp/show/mystatus?select=watchlist&s1=end&watchclosed=1",
    "/jp/show/mystatus?select=bidding",
    "/jp/show/mystatus?select=won",
};

std::string Address(std::string_view server, std::string_view object) {
    std::string url = "http://";
    url.append(server);
    url.append(object);
    return url;
}

} // namespace

bool ParseUrl(std::string_view url, std::string& server, std::string& object) {
    std::string_view rest = url;
    if (const std::size_t scheme = rest.find("://"); scheme != std::string_view::npos) {
        if (rest.substr(0, scheme) != "http" && rest.substr(0, scheme) != "HTTP")
            return false;
        rest.remove_prefix(scheme + 3);
    } else {
        return false; // a bare path is no address
    }
    const std::size_t slash = rest.find_first_of("/?");
    std::string_view authority = rest.substr(0, slash);
    if (const std::size_t at = authority.rfind('@'); at != std::string_view::npos)
        authority.remove_prefix(at + 1);
    if (const std::size_t colon = authority.find(':'); colon != std::string_view::npos)
        authority = authority.substr(0, colon);
    if (authority.empty())
        return false;
    server.assign(authority);
    if (slash == std::string_view::npos)
        object = "/";
    else if (rest[slash] == '?')
        object = "/" + std::string(rest.substr(slash));
    else
        object.assign(rest.substr(slash));
    return true;
}

std::string KeywordSearchObject(std::string_view encodedKeyword) {
    return "/search/auc?alocale=0jp&acc=jp&p=" + std::string(encodedKeyword);
}

std::string KeywordSearchUrl(std::string_view encodedKeyword) {
    return Address(PRIMARY_SEARCH_HOST, KeywordSearchObject(encodedKeyword));
}

std::string ItemPageUrl(std::string_view server, std::string_view itemId) {
    return Address(server, "/jp/auction/" + std::string(itemId));
}

std::string BidHistoryUrl(std::string_view server, std::string_view itemId) {
    return Address(server, "/jp/show/bid_hist?aID=" + std::string(itemId));
}

std::string QuestionsUrl(std::string_view server, std::string_view itemId) {
    return Address(server, "/jp/show/qanda?aID=" + std::string(itemId));
}

std::string MyStatusObject(int list) {
    if (list < 0 || list >= static_cast<int>(std::size(MY_STATUS_OBJECTS)))
        return {};
    return std::string(MY_STATUS_OBJECTS[list]);
}

// The character after "page" in the item's host picks the edit host that
// carries the same character. An address with no such host is no item of the
// primary site, and a request built from it could only go astray.
bool WatchListRequest(std::string_view itemUrl, std::string& server, std::string& object) {
    std::string itemServer, itemObject;
    if (!ParseUrl(itemUrl, itemServer, itemObject))
        return false;
    const std::string_view domain = PRIMARY_DOMAIN;
    if (itemServer.size() <= domain.size() || itemServer.compare(itemServer.size() - domain.size(), domain.size(), domain) != 0)
        return false;
    const std::size_t page = itemServer.find("page");
    if (page == std::string::npos || page + 4 >= itemServer.size())
        return false;
    const char selector = itemServer[page + 4];
    const std::string id = ItemIdFromUrl(itemUrl);
    if (id.empty())
        return false;
    if (selector == '.') {
        server = PRIMARY_EDIT_HOST;
    } else {
        char host[64];
        std::snprintf(host, sizeof host, PRIMARY_EDIT_HOST_PATTERN, selector);
        server = host;
    }
    object = "/jp/config/remember?aID=" + id;
    return true;
}

} // namespace kelo
