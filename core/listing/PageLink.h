#pragma once
// Links cut from a page's markup, made fit to request.

#include <string>
#include <string_view>

namespace kelo {

// The link as a browser reads the attribute: "&amp;" stands for "&".
std::string DecodeLinkAmpersands(std::string_view link);

// The object a relative link names: a link starting with "/" as it is, any
// other against the folder of the page it was found on (baseObject).
std::string ResolveRelativeObject(std::string_view link, std::string_view baseObject);

} // namespace kelo
