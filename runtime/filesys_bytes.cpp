// Whole files written anew, and files read from an offset as another process appends to them.
#include "runtime/filesys.h"
#include "runtime/errors.h"
#include "runtime/final_path.h"
#include <windows.h>

namespace rt {

namespace {

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// Deletes what is at the path, if anything: a link or a folder is refused (75), and so is a
// file that opens elsewhere than in its folder (under Wine a link to a file shows as a plain
// file, and removing it there would remove what it points to). The check binds to the handle
// that deletes, so a swap meanwhile cannot outrun it; a file that went meanwhile is no failure.
void delete_old_file(const std::string& path)
{
    const std::optional<FinalPath> found = find_final_path(path);   // 75 when it cannot be opened
    if (!found)
        return;
    if (found->is_link() || found->is_folder())
        raise(errPathFileAccess);
    try {
        delete_file_at(path, [](uint32_t attributes) { return !(attributes & attrReadOnly); });
    } catch (const RuntimeError& e) {
        if (e.number() != errFileNotFound || path_exists(path))
            throw;
    }
}

constexpr DWORD kRefusedAttributes = FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY;

// The opened file is the one at the path: a plain writable file with no other name, found at
// its folder's final path under its own name. Under Wine a host link to a file opens as its
// target, which only its final path gives away; Wine running as root also writes read-only files.
void require_in_place(HANDLE h, const std::string& path)
{
    FILE_BASIC_INFO basic{};
    FILE_STANDARD_INFO standard{};
    if (!GetFileInformationByHandleEx(h, FileBasicInfo, &basic, sizeof basic) ||
        !GetFileInformationByHandleEx(h, FileStandardInfo, &standard, sizeof standard))
        raise(errPathFileAccess);
    if ((basic.FileAttributes & kRefusedAttributes) || standard.NumberOfLinks > 1)
        raise(errPathFileAccess);
    const auto [folder, name] = folder_and_name(path);
    const std::optional<std::string> folder_final = final_path(folder);
    const std::optional<std::string> opened = final_path_of(h);
    if (!folder_final || !opened)
        raise(errPathFileAccess);
    const std::string expected =
        *folder_final + (folder_final->empty() || folder_final->back() != '\\' ? "\\" : "") + name;
    if (!same_final_path(*opened, expected))
        raise(errPathFileAccess);
}

HANDLE checked(HANDLE h, const std::string& path)
{
    try {
        require_in_place(h, path);
    } catch (...) {
        CloseHandle(h);
        throw;
    }
    return h;
}

} // namespace

void* open_file_for_writing(const std::string& path, bool only_new)
{
    const std::string full = full_path(path).value_or(path);
    const std::wstring wide = wide_path(full);
    HANDLE h = INVALID_HANDLE_VALUE;
    // An existing file is opened as itself, never truncated or created through what it leads to;
    // only a name that is free gets a new file (a dangling link is no free name).
    if (!only_new)
        h = CreateFileW(wide.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                        FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (h == INVALID_HANDLE_VALUE && (only_new || GetLastError() == ERROR_FILE_NOT_FOUND))
        h = CreateFileW(wide.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                        nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        const DWORD e = GetLastError();
        // Something that opens as no file took the name (a link leading nowhere, or a race).
        raise(e == ERROR_FILE_EXISTS || e == ERROR_ALREADY_EXISTS ? errPathFileAccess : error_from_win32(e));
    }
    return checked(h, full);
}

void require_writable_in_place(const std::string& path)
{
    const std::string full = full_path(path).value_or(path);
    HANDLE h = open_as_itself(full);
    if (h == INVALID_HANDLE_VALUE) {
        const DWORD e = GetLastError();
        if (e == ERROR_FILE_NOT_FOUND)
            return;
        raise(e == ERROR_PATH_NOT_FOUND ? errPathNotFound : errPathFileAccess);
    }
    CloseHandle(checked(h, full));
}

void write_new_file(const std::string& path, const std::string& bytes)
{
    if (!is_fully_qualified(path))
        raise(errBadFileNumber);
    delete_old_file(path);
    HANDLE h = open_file_for_writing(path, true);
    DWORD written = 0;
    const bool ok = bytes.empty() ||
                    (WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                     written == bytes.size());
    const DWORD error = ok ? ERROR_SUCCESS : GetLastError();
    CloseHandle(h);
    if (!ok)
        raise(error == ERROR_SUCCESS ? errDiskFull : error_from_win32(error));
}

std::optional<FileBytes> read_file_from(const std::string& path, uint64_t offset)
{
    std::wstring wide;
    try {
        wide = wide_path(path);
    } catch (const RuntimeError&) {
        return std::nullopt;
    }
    HANDLE h = CreateFileW(wide.c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return std::nullopt;
    FileBytes read;
    LARGE_INTEGER size{};
    bool ok = GetFileSizeEx(h, &size) != 0;
    read.from = ok && static_cast<uint64_t>(size.QuadPart) >= offset ? offset : 0;
    LARGE_INTEGER from{};
    from.QuadPart = static_cast<LONGLONG>(read.from);
    ok = ok && SetFilePointerEx(h, from, nullptr, FILE_BEGIN) != 0;
    char buffer[65536];
    DWORD got = 0;
    while (ok && (ok = ReadFile(h, buffer, sizeof buffer, &got, nullptr) != 0) && got > 0)
        read.bytes.append(buffer, got);
    CloseHandle(h);
    if (!ok)
        return std::nullopt;
    return read;
}

} // namespace rt
