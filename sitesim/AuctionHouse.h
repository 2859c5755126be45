#pragma once
// The sites' state for one run: the catalogue as bids and watch-list adds
// change it, behind one lock, and the way back to the starting state.

#include "Catalogue.h"

#include <memory>
#include <mutex>

namespace sitesim {

class AuctionHouse {
public:
    explicit AuctionHouse(const CatalogueSettings& settings);

    std::mutex& Mutex() { return mutex_; }
    // Only while holding Mutex().
    Catalogue& Current() { return *current_; }
    // Back to the catalogue as it was generated at start.
    void Reset();

private:
    CatalogueSettings settings_;
    std::mutex mutex_;
    std::unique_ptr<Catalogue> current_;
};

} // namespace sitesim
