#include "support/host_link.h"
#include "support/host.h"

namespace testsupport {

bool make_host_link(const std::string& link, const std::string& target)
{
    const std::string to = host_path(target), from = host_path(link);
    return !to.empty() && !from.empty() && run_on_host({"/bin/ln", "-s", to, from});
}

void remove_host_link(const std::string& link)
{
    const std::string from = host_path(link);
    if (!from.empty())
        run_on_host({"/bin/rm", "-f", from});
}

} // namespace testsupport
