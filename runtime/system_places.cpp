#include "runtime/system_places.h"
#include <windows.h>
#include <shlobj.h>
#include <userenv.h>
#include <algorithm>
#include "runtime/unicode.h"

namespace rt {

std::optional<std::string> environment_variable(const std::string& name)
{
    const std::wstring wide_name = utf16(name);
    std::wstring value(256, L'\0');
    for (;;) {
        SetLastError(ERROR_SUCCESS);
        DWORD n = GetEnvironmentVariableW(wide_name.c_str(), value.data(), static_cast<DWORD>(value.size()));
        if (n == 0) {
            if (GetLastError() == ERROR_ENVVAR_NOT_FOUND)
                return std::nullopt;
            return std::string();
        }
        if (n < value.size()) {
            value.resize(n);
            return exact_utf8(value);
        }
        value.resize(n);
    }
}

std::string windows_folder()
{
    std::wstring folder(MAX_PATH, L'\0');
    UINT n = GetWindowsDirectoryW(folder.data(), static_cast<UINT>(folder.size()));
    if (n >= folder.size()) {
        folder.resize(n);
        n = GetWindowsDirectoryW(folder.data(), static_cast<UINT>(folder.size()));
    }
    if (n == 0 || n >= folder.size())
        return "";
    folder.resize(n);
    return exact_utf8(folder).value_or("");
}

std::string profiles_folder()
{
    DWORD size = 0;
    GetProfilesDirectoryW(nullptr, &size);
    if (size == 0)
        return "";
    std::wstring folder(size, L'\0');
    if (!GetProfilesDirectoryW(folder.data(), &size))
        return "";
    folder.resize(wcsnlen(folder.c_str(), folder.size()));
    return exact_utf8(folder).value_or("");
}

std::vector<std::string> program_files_folders()
{
    std::vector<std::string> folders;
    for (int csidl : {CSIDL_PROGRAM_FILES, CSIDL_PROGRAM_FILESX86}) {
        wchar_t folder[MAX_PATH];
        if (FAILED(SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, folder)))
            continue;
        auto text = exact_utf8(folder);
        if (text && !text->empty() && std::find(folders.begin(), folders.end(), *text) == folders.end())
            folders.push_back(*text);
    }
    return folders;
}

std::vector<std::string> machine_names()
{
    std::vector<std::string> names;
    for (COMPUTER_NAME_FORMAT format : {ComputerNameNetBIOS, ComputerNameDnsHostname, ComputerNameDnsFullyQualified}) {
        DWORD size = 0;
        GetComputerNameExW(format, nullptr, &size);
        if (size == 0)
            continue;
        std::wstring name(size, L'\0');
        if (!GetComputerNameExW(format, name.data(), &size))
            continue;
        name.resize(size);
        auto text = exact_utf8(name);
        if (text && !text->empty() && std::find(names.begin(), names.end(), *text) == names.end())
            names.push_back(*text);
    }
    return names;
}

} // namespace rt
