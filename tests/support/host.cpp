#include "support/host.h"
#include <windows.h>
#include "runtime/unicode.h"

namespace testsupport {

std::string host_path(const std::string& path)
{
    using UnixName = char*(CDECL*)(LPCWSTR);
    auto unix_name = reinterpret_cast<UnixName>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    if (!unix_name)
        return "";
    const std::wstring wide = rt::utf16(path);
    char* name = unix_name(wide.c_str());
    std::string out = name ? name : "";
    HeapFree(GetProcessHeap(), 0, name);
    return out;
}

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

} // namespace testsupport
