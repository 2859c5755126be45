#pragma once
// Writes the category list files the client reads at start-up, so that its
// category tree shows this run's categories: "category.lst" for Vanto and
// "sorel.lst" for Sorel, Shift_JIS, tab-separated, CR LF.

#include "Catalogue.h"

#include <string>

namespace sitesim {

class ListFiles {
public:
    // False with a reason when a file could not be written whole.
    static bool Write(const Catalogue& catalogue, const std::string& folder, std::string& error);

    static std::string CategoryList(const Catalogue& catalogue);  // UTF-8 text
    static std::string SorelList(const Catalogue& catalogue);     // UTF-8 text

private:
    static bool WriteWhole(const std::string& path, const std::string& utf8, std::string& error);
};

} // namespace sitesim
