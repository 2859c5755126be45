#pragma once

#include <string>
#include <vector>

namespace sitesim {

// One node of a site's category tree. Depth 0 hangs under the site's root.
struct Category {
    int index = 0;               // position in the catalogue's list
    long number = 0;             // the site's own category number, used in paths
    std::string name;            // UTF-8
    int depth = 0;
    int parent = -1;             // index of the parent, -1 at the top
    std::vector<int> children;   // indexes, in tree order
};

} // namespace sitesim
