#include "AuctionHouse.h"

namespace sitesim {

AuctionHouse::AuctionHouse(const CatalogueSettings& settings)
    : settings_(settings), current_(std::make_unique<Catalogue>(settings))
{
}

void AuctionHouse::Reset()
{
    auto fresh = std::make_unique<Catalogue>(settings_);
    std::lock_guard lock(mutex_);
    current_ = std::move(fresh);
}

} // namespace sitesim
