#pragma once
// Answers the requests for Vanto's hosts: search, category lists, the
// member's lists, item pages, the bid exchange, the watch-list add, sign-in.

#include "AuctionHouse.h"
#include "Page.h"
#include "Sessions.h"
#include "SiteRequest.h"
#include "VantoPages.h"

#include <ctime>
#include <optional>

namespace sitesim {

class VantoSite {
public:
    VantoSite(AuctionHouse& house, Sessions& sessions) : house_(house), sessions_(sessions) {}

    // Empty when the host is none of Vanto's.
    std::optional<Page> Handle(const SiteRequest& request, std::time_t now);

private:
    Page Search(const SiteRequest& request, const std::string& member, std::time_t now);
    Page CategoryList(const SiteRequest& request, const std::string& member, std::time_t now);
    Page MyStatusList(const SiteRequest& request, const std::string& member, std::time_t now);
    Page ItemHost(const SiteRequest& request, int host, const std::string& member, std::time_t now);
    Page BidPreview(const SiteRequest& request, int itemIndex, const std::string& member, std::time_t now);
    Page PlaceBid(const SiteRequest& request, int itemIndex, const std::string& member, std::time_t now);
    Page Remember(const SiteRequest& request, int host, const std::string& member);
    Page Login(const SiteRequest& request, const std::string& member);

    static ListingSlice Slice(const Catalogue& catalogue, const std::vector<int>& found, int firstWanted,
                              const std::string& linkBase);
    static std::string Decoded(const SiteRequest& request, const std::string& name);
    static bool ParseAmount(const std::string& text, long& amount);
    static std::optional<Page> RefuseAmount(const SiteRequest& request, const AuctionItem& item,
                                            const std::string& member, long& amount);
    static Page NotFound();

    AuctionHouse& house_;
    Sessions& sessions_;
};

} // namespace sitesim
