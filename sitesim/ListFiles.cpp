#include "ListFiles.h"

#include "SorelPages.h"
#include "TextCodec.h"
#include "VantoPages.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace sitesim {

std::string ListFiles::CategoryList(const Catalogue& catalogue)
{
    std::string out;
    for (const Category& category : catalogue.VantoCategories()) {
        // Top categories are written as full addresses, the others as paths
        // on the list host; the client takes both.
        std::string where = VantoPages::CategoryPath(category);
        if (category.depth == 0)
            where = "http://list.vanto.test" + where;
        out += where + "\t" + category.name + "\t" + std::to_string(category.depth) + "\r\n";
    }
    return out;
}

std::string ListFiles::SorelList(const Catalogue& catalogue)
{
    std::string out;
    for (const Category& category : catalogue.SorelCategories())
        out += SorelPages::CategoryPath(category) + "\t" + category.name + "\t" + std::to_string(category.depth) + "\r\n";
    return out;
}

bool ListFiles::WriteWhole(const std::string& path, const std::string& utf8, std::string& error)
{
    std::string bytes;
    if (!TextCodec::Utf8ToShiftJis(utf8, bytes)) {
        error = path + ": a category name has no Shift_JIS form";
        return false;
    }
    const std::string temporary = path + ".tmp";
    std::FILE* file = std::fopen(temporary.c_str(), "wb");
    if (!file) {
        error = temporary + ": " + std::strerror(errno);
        return false;
    }
    bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    written = std::fclose(file) == 0 && written;
    if (!written || std::rename(temporary.c_str(), path.c_str()) != 0) {
        error = path + ": " + std::strerror(errno);
        std::remove(temporary.c_str());
        return false;
    }
    return true;
}

bool ListFiles::Write(const Catalogue& catalogue, const std::string& folder, std::string& error)
{
    return WriteWhole(folder + "/category.lst", CategoryList(catalogue), error)
        && WriteWhole(folder + "/sorel.lst", SorelList(catalogue), error);
}

} // namespace sitesim
