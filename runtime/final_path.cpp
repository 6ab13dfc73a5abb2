#include "runtime/final_path.h"
#include <windows.h>
#include <winternl.h>
#include <algorithm>
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

void* open_as_itself(const std::string& path)
{
    if (!is_fully_qualified(path)) {
        SetLastError(ERROR_INVALID_NAME);
        return INVALID_HANDLE_VALUE;
    }
    return CreateFileW(wide_path(path).c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                       nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
}

namespace {

constexpr int kFileInternalInformation = 6;

std::optional<uint64_t> file_id_of(HANDLE h)
{
    LARGE_INTEGER id{};
    IO_STATUS_BLOCK io{};
    if (!NT_SUCCESS(NtQueryInformationFile(h, &io, &id, sizeof id, static_cast<FILE_INFORMATION_CLASS>(kFileInternalInformation))))
        return std::nullopt;
    return static_cast<uint64_t>(id.QuadPart);
}

} // namespace

OpenedIdentity::OpenedIdentity(const std::string& path)
{
    HANDLE h = open_as_itself(path);
    if (h == INVALID_HANDLE_VALUE)
        return;
    handle_ = h;
    owned_ = true;
    file_ = file_id_of(h);
}

OpenedIdentity::OpenedIdentity(void* handle) : handle_(handle), file_(handle ? file_id_of(handle) : std::nullopt) {}

OpenedIdentity::~OpenedIdentity()
{
    if (owned_)
        CloseHandle(handle_);
}

std::optional<uint32_t> OpenedIdentity::volume() const
{
    if (!volume_) {
        BY_HANDLE_FILE_INFORMATION info{};
        volume_ = GetFileInformationByHandle(handle_, &info) ? std::optional<uint32_t>(info.dwVolumeSerialNumber)
                                                             : std::nullopt;
    }
    return *volume_;
}

std::optional<FileIdentity> OpenedIdentity::identity() const
{
    if (!file_ || !volume())
        return std::nullopt;
    return FileIdentity{*volume(), *file_};
}

bool OpenedIdentity::is(const OpenedIdentity& other) const
{
    return file_ && other.file_ && *file_ == *other.file_ && volume() && volume() == other.volume();
}

void IdentitySet::add(const std::string& path)
{
    if (std::find(paths_.begin(), paths_.end(), path) != paths_.end())
        return;
    paths_.push_back(path);
    auto item = std::make_shared<const OpenedIdentity>(path);
    if (item->known())
        items_.emplace_back(std::move(item), path);
}

std::optional<std::string> IdentitySet::match(const OpenedIdentity& item) const
{
    for (const auto& [known, path] : items_)
        if (item.is(*known))
            return path;
    return std::nullopt;
}

std::optional<FileIdentity> identity_at(const std::string& path) { return OpenedIdentity(path).identity(); }

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
