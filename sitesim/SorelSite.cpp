#include "SorelSite.h"

#include "SorelPages.h"

#include <cstdlib>
#include <mutex>

namespace sitesim {

Page SorelSite::Handle(const SiteRequest& request, std::time_t now)
{
    std::lock_guard lock(house_.Mutex());
    const Catalogue& catalogue = house_.Current();
    const std::string& path = request.path;
    if (path == "/")
        return SorelPages::Top(catalogue.SorelCategories());

    const std::string catPrefix = "/cat/";
    if (path.compare(0, catPrefix.size(), catPrefix) == 0) {
        std::string number = path.substr(catPrefix.size());
        if (!number.empty() && number.back() == '/')
            number.pop_back();
        if (number.empty() || number.find_first_not_of("0123456789") != std::string::npos)
            return SorelPages::NotFound();
        int index = catalogue.FindSorelCategory(std::atol(number.c_str()));
        if (index < 0)
            return SorelPages::NotFound();
        const auto& tree = catalogue.SorelCategories();
        std::vector<const Category*> trail;
        for (int at = index; at >= 0; at = tree[static_cast<size_t>(at)].parent)
            trail.insert(trail.begin(), &tree[static_cast<size_t>(at)]);
        std::vector<const Category*> children;
        for (int child : tree[static_cast<size_t>(index)].children)
            children.push_back(&tree[static_cast<size_t>(child)]);
        std::vector<const SorelItem*> items;
        for (int i : catalogue.SorelInCategory(index))
            items.push_back(&catalogue.SorelItems()[static_cast<size_t>(i)]);
        int page = request.Has("page") ? std::atoi(request.Raw("page").c_str()) : 1;
        return SorelPages::CategoryListing(trail, children, items, page);
    }

    const std::string itemPrefix = "/item/";
    const std::string itemSuffix = ".html";
    if (path.compare(0, itemPrefix.size(), itemPrefix) == 0 && path.size() > itemPrefix.size() + itemSuffix.size()
        && path.compare(path.size() - itemSuffix.size(), itemSuffix.size(), itemSuffix) == 0) {
        std::string id = path.substr(itemPrefix.size(), path.size() - itemPrefix.size() - itemSuffix.size());
        int index = catalogue.FindSorelItem(id);
        if (index >= 0)
            return SorelPages::Item(catalogue.SorelItems()[static_cast<size_t>(index)], now);
    }
    return SorelPages::NotFound();
}

} // namespace sitesim
