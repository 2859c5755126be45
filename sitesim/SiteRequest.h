#pragma once

#include <map>
#include <string>

namespace sitesim {

// A request as the sites see it: host without port, path, raw query values
// (still percent-encoded), the Cookie header.
struct SiteRequest {
    std::string host;
    std::string path;
    std::multimap<std::string, std::string> query;
    std::string cookie;

    // The first raw value of a query field, or empty.
    std::string Raw(const std::string& name) const
    {
        auto it = query.find(name);
        return it == query.end() ? std::string() : it->second;
    }
    bool Has(const std::string& name) const { return query.count(name) != 0; }
};

} // namespace sitesim
