#include "runtime/final_path.h"
#include <windows.h>
#include "runtime/errors.h"
#include "runtime/filesys.h"

namespace rt {

namespace {

bool is_missing(DWORD error)
{
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_FILENAME_EXCED_RANGE:
    case ERROR_DIRECTORY:
    case ERROR_INVALID_DRIVE:
    case ERROR_NOT_READY:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME:
        return true;
    default:
        return false;
    }
}

} // namespace

bool FinalPath::is_folder() const { return attributes & FILE_ATTRIBUTE_DIRECTORY; }

bool FinalPath::is_link() const { return attributes & FILE_ATTRIBUTE_REPARSE_POINT; }

std::optional<FinalPath> find_final_path(const std::string& path)
{
    if (!is_fully_qualified(path))
        return std::nullopt;
    HANDLE h = CreateFileW(wide_path(path).c_str(), FILE_READ_ATTRIBUTES,
                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                           FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        if (is_missing(GetLastError()))
            return std::nullopt;
        raise(errPathFileAccess);
    }
    // The basic information alone: the full one asks for the volume's serial number, which
    // under Wine is a round trip to its mount manager for every path.
    FILE_BASIC_INFO info{};
    const bool known = GetFileInformationByHandleEx(h, FileBasicInfo, &info, sizeof info);
    std::optional<std::string> final = final_path_of(h);
    CloseHandle(h);
    if (!known || !final)
        raise(errPathFileAccess);
    return FinalPath{*final, info.FileAttributes};
}

std::optional<std::string> final_path(const std::string& path)
{
    try {
        if (auto found = find_final_path(path))
            return found->path;
    } catch (const RuntimeError&) {
    }
    return std::nullopt;
}

} // namespace rt
