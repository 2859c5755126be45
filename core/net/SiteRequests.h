#pragma once
// The sites' host names and the requests sent to them. Both sites are ours,
// under the reserved .test domain; sitesim answers for all of them.

#include <string>
#include <string_view>

namespace kelo {

inline constexpr const char* PRIMARY_SEARCH_HOST = "search.vanto.test";
inline constexpr const char* PRIMARY_LIST_HOST = "list.vanto.test";
inline constexpr const char* PRIMARY_USER_HOST = "user.vanto.test";
inline constexpr const char* PRIMARY_EDIT_HOST = "edit.vanto.test";
// One "%c" for the character that follows "page" in an item's host name.
inline constexpr const char* PRIMARY_EDIT_HOST_PATTERN = "edit%c.vanto.test";
inline constexpr const char* PRIMARY_SIGNIN_HOST = "login.vanto.test";
inline constexpr const char* SECONDARY_HOST = "www.sorel.test";
inline constexpr const char* PRIMARY_DOMAIN = "vanto.test";

// Splits "http://host[:port]/object" (the scheme is optional) into the server
// and the object; the port is dropped, as every request goes to port 80. An
// address without a path gets the object "/". False when there is no host.
bool ParseUrl(std::string_view url, std::string& server, std::string& object);

// Request objects and addresses.
std::string KeywordSearchObject(std::string_view encodedKeyword);
std::string KeywordSearchUrl(std::string_view encodedKeyword);
std::string ItemPageUrl(std::string_view server, std::string_view itemId);
std::string BidHistoryUrl(std::string_view server, std::string_view itemId);
std::string QuestionsUrl(std::string_view server, std::string_view itemId);
// The my-auction list objects on PRIMARY_USER_HOST, index 0 to 3 (running
// watch list, ended watch list, bidding, won); empty for another index.
std::string MyStatusObject(int list);
// The watch-list add for an item: false (and nothing filled) when the item
// URL has no "page" host of the primary site to pick the edit host from.
bool WatchListRequest(std::string_view itemUrl, std::string& server, std::string& object);

} // namespace kelo
