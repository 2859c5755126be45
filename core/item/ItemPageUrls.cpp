#include "item/ItemPageUrls.h"

#include "net/SiteRequests.h"

namespace kelo {

bool BuildItemPageUrls(std::string_view currentPageUrl, std::string_view currentItemUrl, ItemPageUrls& urls) {
    if (currentItemUrl.find(PRIMARY_DOMAIN) == std::string_view::npos)
        return false;
    std::string server;
    std::string object;
    // Without a page shown there is no host to build the addresses on.
    if (!ParseUrl(currentPageUrl, server, object))
        return false;
    const std::string_view itemId = currentItemUrl.substr(currentItemUrl.rfind('/') + 1);
    urls.itemPage = ItemPageUrl(server, itemId);
    urls.bidHistory = BidHistoryUrl(server, itemId);
    urls.questions = QuestionsUrl(server, itemId);
    return true;
}

} // namespace kelo
