#pragma once
// Answers the requests for www.sorel.test.

#include "AuctionHouse.h"
#include "Page.h"
#include "SiteRequest.h"

#include <ctime>

namespace sitesim {

class SorelSite {
public:
    explicit SorelSite(AuctionHouse& house) : house_(house) {}
    Page Handle(const SiteRequest& request, std::time_t now);

private:
    AuctionHouse& house_;
};

} // namespace sitesim
