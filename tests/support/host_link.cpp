#include "support/host_link.h"
#include <windows.h>
#include <vector>

namespace testsupport {

namespace {

// Runs a host program and waits for it; true when it exits with 0.
bool run_on_host(std::vector<std::string> args)
{
    using Spawn = int(__cdecl*)(char* const argv[], int wait);
    auto spawn = reinterpret_cast<Spawn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "__wine_unix_spawnvp")));
    if (!spawn)
        return false;
    std::vector<char*> argv;
    for (auto& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    return spawn(argv.data(), 1) == 0;
}

} // namespace

std::string host_path(const std::string& windows_path)
{
    using UnixName = char*(__cdecl*)(const WCHAR*);
    auto unix_name = reinterpret_cast<UnixName>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    if (!unix_name)
        return "";
    std::wstring wide(windows_path.begin(), windows_path.end());   // the tests' paths are ASCII
    char* name = unix_name(wide.c_str());
    std::string out = name ? name : "";
    HeapFree(GetProcessHeap(), 0, name);
    return out;
}

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
