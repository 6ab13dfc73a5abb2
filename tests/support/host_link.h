#pragma once
// Host symbolic links for test trees. Wine shows a link to a folder as a folder carrying
// the reparse-point attribute; its own CreateSymbolicLink makes nothing usable, so the
// host makes them.
#include <string>
#include "support/host.h"   // host_path

namespace testsupport {

// Makes `link` a host link to `target` (both Windows paths); false when it could not.
bool make_host_link(const std::string& link, const std::string& target);
// Removes the link itself, never what it points to.
void remove_host_link(const std::string& link);

// A host link for the life of a test (Wine can neither delete nor remove one).
class HostLink {
public:
    HostLink(const std::string& link, const std::string& target) : link_(link), made_(make_host_link(link, target)) {}
    ~HostLink()
    {
        if (made_)
            remove_host_link(link_);
    }
    HostLink(const HostLink&) = delete;
    HostLink& operator=(const HostLink&) = delete;
    bool made() const { return made_; }

private:
    std::string link_;
    bool made_;
};

} // namespace testsupport
