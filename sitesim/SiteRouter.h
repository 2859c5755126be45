#pragma once
// Sends each request to the site that owns its host.

#include "AuctionHouse.h"
#include "Page.h"
#include "Sessions.h"
#include "SiteRequest.h"
#include "SorelSite.h"
#include "VantoSite.h"

#include <ctime>

namespace sitesim {

class SiteRouter {
public:
    SiteRouter(AuctionHouse& house, Sessions& sessions) : vanto_(house, sessions), sorel_(house) {}

    // Unknown hosts get 404.
    Page Handle(const SiteRequest& request, std::time_t now);

private:
    VantoSite vanto_;
    SorelSite sorel_;
};

} // namespace sitesim
