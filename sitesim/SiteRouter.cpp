#include "SiteRouter.h"

namespace sitesim {

Page SiteRouter::Handle(const SiteRequest& request, std::time_t now)
{
    if (request.host == "www.sorel.test")
        return sorel_.Handle(request, now);
    if (std::optional<Page> page = vanto_.Handle(request, now))
        return std::move(*page);
    return Page::Plain(404, "Not Found: no such host here\n");
}

} // namespace sitesim
