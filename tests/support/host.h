#pragma once
// The host side of the Wine prefix, for fixtures that only the host can make (symbolic
// links, names holding "\"). Both do nothing outside Wine.
#include <string>
#include <vector>

namespace testsupport {

// The host's name of a path of the prefix; "" outside Wine.
std::string host_path(const std::string& path);
// Runs a host program to its end; true when it exited with 0.
bool run_on_host(std::vector<std::string> args);

} // namespace testsupport
