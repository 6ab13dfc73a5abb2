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

HANDLE create_new(const std::string& path)
{
    HANDLE h = CreateFileW(wide_path(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, CREATE_NEW,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        raise_last_win32_error();
    return h;
}

} // namespace

void write_new_file(const std::string& path, const std::string& bytes)
{
    if (!is_fully_qualified(path))
        raise(errBadFileNumber);
    delete_old_file(path);
    HANDLE h = create_new(path);
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
