#include "listing/PageLink.h"

namespace kelo {

std::string DecodeLinkAmpersands(std::string_view link) {
    static constexpr std::string_view AMP = "&amp;";
    std::string out;
    out.reserve(link.size());
    std::size_t pos = 0;
    for (std::size_t hit; (hit = link.find(AMP, pos)) != std::string_view::npos; pos = hit + AMP.size()) {
        out.append(link.substr(pos, hit - pos));
        out.push_back('&');
    }
    out.append(link.substr(pos));
    return out;
}

std::string ResolveRelativeObject(std::string_view link, std::string_view baseObject) {
    if (!link.empty() && link.front() == '/')
        return std::string(link);
    std::string_view basePath = baseObject.substr(0, baseObject.find('?'));
    const std::size_t slash = basePath.rfind('/');
    std::string object = slash == std::string_view::npos ? "/" : std::string(basePath.substr(0, slash + 1));
    object.append(link);
    return object;
}

} // namespace kelo
