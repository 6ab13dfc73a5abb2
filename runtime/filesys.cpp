#include "runtime/filesys.h"
#include "runtime/errors.h"
#include <windows.h>
#include <functional>

namespace rt {

namespace {

constexpr uint32_t kMaskedBits = attrReadOnly | attrHidden | attrSystem | attrDirectory;

// FILE_ATTRIBUTE_NORMAL (128) only ever stands alone and means "none": report it as 0.
uint32_t program_attributes(DWORD win32)
{
    return win32 & ~static_cast<DWORD>(FILE_ATTRIBUTE_NORMAL);
}

bool qualifies(uint32_t attributes, uint32_t mask) { return ((attributes & kMaskedBits) & ~mask) == 0; }

bool has_wildcards(const std::string& path) { return path.find_first_of("*?") != std::string::npos; }

bool ends_with_separator(const std::string& path)
{
    return !path.empty() && (path.back() == '\\' || path.back() == '/');
}

DirEntry entry_of(const WIN32_FIND_DATAA& fd)
{
    DirEntry e;
    e.name = fd.cFileName;
    e.attributes = program_attributes(fd.dwFileAttributes);
    if (!(e.attributes & attrDirectory))
        e.length = (static_cast<int64_t>(fd.nFileSizeHigh) << 32) | fd.nFileSizeLow;
    return e;
}

// Calls visit for each qualifying entry until it returns false.
void for_each_entry(const std::string& pattern, uint32_t mask, const std::function<bool(const DirEntry&)>& visit)
{
    std::string search = ends_with_separator(pattern) ? pattern + "*" : pattern;
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA(search.c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE) {
        DWORD e = GetLastError();
        switch (e) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
        case ERROR_NO_MORE_FILES:
        case ERROR_DIRECTORY:      // a file named as a folder (Wine: ERROR_INVALID_NAME)
        case ERROR_INVALID_NAME:   // no such name can exist
        case ERROR_INVALID_DRIVE:
        case ERROR_BAD_NETPATH:
        case ERROR_BAD_NET_NAME:
            return;   // nothing there: an empty listing, not an error
        default:
            raise(error_from_win32(e));
        }
    }
    bool more = true;
    do {
        DirEntry e = entry_of(fd);
        if (qualifies(e.attributes, mask))
            more = visit(e);
    } while (more && FindNextFileA(h, &fd));
    FindClose(h);
}

// Raises the error of a failed look-up of an existing path: 53 for the file, 76 for its folder.
[[noreturn]] void raise_lookup_error()
{
    DWORD e = GetLastError();
    raise(e == ERROR_FILE_NOT_FOUND ? errFileNotFound : error_from_win32(e));
}

bool attributes_of(const std::string& path, WIN32_FILE_ATTRIBUTE_DATA& data)
{
    return GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data) != 0;
}

int drive_letter_index(const std::string& drive)
{
    char c = drive[0];
    if (c >= 'a' && c <= 'z')
        return c - 'a';
    if (c >= 'A' && c <= 'Z')
        return c - 'A';
    return -1;
}

} // namespace

std::vector<DirEntry> list_dir(const std::string& pattern, uint32_t mask)
{
    std::vector<DirEntry> entries;
    for_each_entry(pattern, mask, [&](const DirEntry& e) {
        entries.push_back(e);
        return true;
    });
    return entries;
}

std::string dir_first(const std::string& pattern, uint32_t mask)
{
    std::string first;
    for_each_entry(pattern, mask, [&](const DirEntry& e) {
        first = e.name;
        return false;
    });
    return first;
}

uint32_t get_attr(const std::string& path)
{
    DWORD a = GetFileAttributesA(path.c_str());
    if (a == INVALID_FILE_ATTRIBUTES)
        raise_lookup_error();
    return program_attributes(a);
}

void set_attr(const std::string& path, uint32_t attributes)
{
    DWORD a = attributes == attrNormal ? FILE_ATTRIBUTE_NORMAL : attributes;
    if (!SetFileAttributesA(path.c_str(), a))
        raise_lookup_error();
}

int64_t file_len(const std::string& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!attributes_of(path, data))
        raise_lookup_error();
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        return 0;
    return (static_cast<int64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

void kill_file(const std::string& path)
{
    if (path.empty() || has_wildcards(path))
        raise(errBadFileNumber);
    uint32_t a = get_attr(path);
    // Hidden, system files and folders are not among the files a delete can see.
    if (a & (attrHidden | attrSystem | attrDirectory))
        raise(errFileNotFound);
    if (a & attrReadOnly)
        raise(errPathFileAccess);
    if (!DeleteFileA(path.c_str()))
        raise_lookup_error();
}

void remove_dir(const std::string& path)
{
    if (path.empty() || has_wildcards(path))
        raise(errBadFileNumber);
    if (!RemoveDirectoryA(path.c_str())) {
        DWORD e = GetLastError();
        raise(e == ERROR_FILE_NOT_FOUND ? errPathNotFound : error_from_win32(e));
    }
}

void make_dir(const std::string& path)
{
    if (path.empty() || has_wildcards(path))
        raise(errBadFileNumber);
    if (!CreateDirectoryA(path.c_str(), nullptr)) {
        DWORD e = GetLastError();
        raise(e == ERROR_ALREADY_EXISTS ? errPathFileAccess : error_from_win32(e));
    }
}

void change_drive(const std::string& drive)
{
    if (drive.empty())
        return;
    int index = drive_letter_index(drive);
    if (index < 0 || !(GetLogicalDrives() & (1u << index)))
        raise(errDeviceUnavailable);
    std::string root = std::string(1, static_cast<char>('A' + index)) + ":\\";
    DWORD serial = 0;
    if (!GetVolumeInformationA(root.c_str(), nullptr, 0, &serial, nullptr, nullptr, nullptr, 0)
        && GetLastError() == ERROR_NOT_READY)
        raise(errDiskNotReady);
    if (!SetCurrentDirectoryA(root.substr(0, 2).c_str())) {
        DWORD e = GetLastError();
        raise(e == ERROR_NOT_READY ? errDiskNotReady : errDeviceUnavailable);
    }
}

bool file_exists(const std::string& path)
{
    DWORD a = GetFileAttributesA(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

bool path_exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

bool is_fully_qualified(const std::string& path)
{
    if (path.size() >= 3 && drive_letter_index(path) >= 0 && path[1] == ':' && path[2] == '\\')
        return true;
    if (path.size() < 5 || path.compare(0, 2, "\\\\") != 0)
        return false;
    size_t share = path.find('\\', 2);
    return share != std::string::npos && share > 2 && share + 1 < path.size() && path[share + 1] != '\\';
}

} // namespace rt
