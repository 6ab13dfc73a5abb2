#include "runtime/filesys.h"
#include "runtime/errors.h"
#include "runtime/unicode.h"
#include <windows.h>
#include <cctype>

namespace rt {

namespace {

constexpr uint32_t kMaskedBits = attrReadOnly | attrHidden | attrSystem | attrDirectory;
constexpr std::size_t kMaxWidePath = 32767;

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

bool starts_with(const std::string& s, const char* prefix) { return s.rfind(prefix, 0) == 0; }

int drive_letter_index(const std::string& drive)
{
    char c = drive.empty() ? '\0' : drive[0];
    if (c >= 'a' && c <= 'z')
        return c - 'a';
    if (c >= 'A' && c <= 'Z')
        return c - 'A';
    return -1;
}

bool is_drive_path(const std::string& p) { return p.size() >= 3 && drive_letter_index(p) >= 0 && p[1] == ':' && p[2] == '\\'; }

// The steps after the root with "." dropped and ".." going up (never above the root).
std::string resolved_steps(const std::string& rest)
{
    std::vector<std::string> steps;
    std::size_t start = 0;
    while (start <= rest.size()) {
        std::size_t end = rest.find('\\', start);
        if (end == std::string::npos)
            end = rest.size();
        std::string step = rest.substr(start, end - start);
        if (step == "..") {
            if (!steps.empty())
                steps.pop_back();
        } else if (!step.empty() && step != ".") {
            steps.push_back(step);
        }
        start = end + 1;
    }
    std::string out;
    for (const std::string& step : steps)
        out += (out.empty() ? "" : "\\") + step;
    return out;
}

std::string full_path_of(const std::string& path)
{
    if (std::optional<std::string> full = full_path(path))
        return *full;
    utf16(path);   // a text that is no UTF-8 raises as such
    raise(errBadFileNumber);
}

std::wstring drive_root(char letter)
{
    return std::wstring{static_cast<wchar_t>(L'A' + drive_letter_index(std::string(1, letter))), L':', L'\\'};
}

std::wstring checked_length(std::wstring wide)
{
    if (wide.size() > kMaxWidePath)
        throw RuntimeError(errBadFileNumber, "The path is longer than the system allows");
    return wide;
}

DirEntry entry_of(const WIN32_FIND_DATAW& fd)
{
    DirEntry e;
    const std::wstring name = fd.cFileName;
    std::optional<std::string> exact = exact_utf8(name);
    e.exact_name = exact.has_value();
    e.name = exact ? *exact : utf8(name);
    e.attributes = program_attributes(fd.dwFileAttributes);
    if (!(e.attributes & attrDirectory))
        e.length = (static_cast<int64_t>(fd.nFileSizeHigh) << 32) | fd.nFileSizeLow;
    return e;
}

// Calls visit for each qualifying entry until it returns false.
template <typename Visit>
void for_each_entry(const std::string& pattern, uint32_t mask, Visit&& visit)
{
    const std::wstring search = wide_path(ends_with_separator(pattern) ? pattern + "*" : pattern);
    WIN32_FIND_DATAW fd;
    HANDLE h = FindFirstFileExW(search.c_str(), FindExInfoBasic, &fd, FindExSearchNameMatch, nullptr, 0);
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
    } while (more && FindNextFileW(h, &fd));
    FindClose(h);
}

// Raises the error of a failed look-up of an existing path: 53 for the file, 76 for its folder.
[[noreturn]] void raise_lookup_error()
{
    DWORD e = GetLastError();
    raise(e == ERROR_FILE_NOT_FOUND ? errFileNotFound : error_from_win32(e));
}

// The wide form of a path that may be looked up; nothing for one that cannot exist (too
// long for the system, not UTF-8).
std::optional<std::wstring> lookup_form(const std::string& path)
{
    if (path.empty())
        return std::nullopt;
    try {
        return wide_path(path);
    } catch (const RuntimeError&) {
        return std::nullopt;
    }
}

bool attributes_of(const std::string& path, WIN32_FILE_ATTRIBUTE_DATA& data)
{
    const std::optional<std::wstring> wide = lookup_form(path);
    if (!wide) {
        SetLastError(ERROR_FILENAME_EXCED_RANGE);
        return false;
    }
    return GetFileAttributesExW(wide->c_str(), GetFileExInfoStandard, &data) != 0;
}

DWORD raw_attributes(const std::string& path)
{
    const std::optional<std::wstring> wide = lookup_form(path);
    if (!wide) {
        SetLastError(path.empty() ? ERROR_PATH_NOT_FOUND : ERROR_FILENAME_EXCED_RANGE);
        return INVALID_FILE_ATTRIBUTES;
    }
    return GetFileAttributesW(wide->c_str());
}

} // namespace

std::wstring wide_path(const std::string& given)
{
    if (given.empty())
        return {};
    if (starts_with(given, "\\\\?\\") || starts_with(given, "\\\\.\\"))
        return checked_length(utf16(given));
    std::string path = given;
    for (char& c : path)
        if (c == '/')
            c = '\\';
    const bool trailing = path.back() == '\\';
    std::string root, rest;
    if (is_drive_path(path)) {
        root = "\\\\?\\" + path.substr(0, 3);
        rest = path.substr(3);
    } else if (starts_with(path, "\\\\") && is_fully_qualified(path)) {
        const std::size_t share_end = path.find('\\', path.find('\\', 2) + 1);
        root = "\\\\?\\UNC\\" + path.substr(2, share_end == std::string::npos ? std::string::npos : share_end - 2) + "\\";
        rest = share_end == std::string::npos ? "" : path.substr(share_end + 1);
    } else {
        return wide_path(full_path_of(path) + (trailing ? "\\" : ""));
    }
    std::string steps = resolved_steps(rest);
    std::string out = root + steps;
    if (trailing && !steps.empty())
        out += '\\';
    return checked_length(utf16(out));
}

bool is_plain_name(const std::string& name)
{
    if (name.empty() || name == "." || name == "..")
        return false;
    for (unsigned char c : name)
        if (c < 32 || c == 127 || c == '\\' || c == '/' || c == ':')
            return false;
    return true;
}

bool is_usable(const DirEntry& entry) { return entry.exact_name && is_plain_name(entry.name); }

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

std::optional<FileFacts> file_facts(const std::string& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (path.empty() || !attributes_of(path, data))
        return std::nullopt;
    FileFacts facts;
    facts.attributes = program_attributes(data.dwFileAttributes);
    if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        facts.length = (static_cast<int64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    return facts;
}

uint32_t get_attr(const std::string& path)
{
    DWORD a = raw_attributes(path);
    if (a == INVALID_FILE_ATTRIBUTES)
        raise_lookup_error();
    return program_attributes(a);
}

void set_attr(const std::string& path, uint32_t attributes)
{
    DWORD a = attributes == attrNormal ? FILE_ATTRIBUTE_NORMAL : attributes;
    if (path.empty() || !SetFileAttributesW(wide_path(path).c_str(), a))
        raise_lookup_error();
}

int64_t file_len(const std::string& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (path.empty() || !attributes_of(path, data))
        raise_lookup_error();
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        return 0;
    return (static_cast<int64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

void kill_file(const std::string& path)
{
    if (path.empty() || has_wildcards(path))
        raise(errBadFileNumber);
    delete_file_at(path, [](uint32_t) { return false; });
}

void remove_dir(const std::string& path)
{
    if (path.empty() || has_wildcards(path))
        raise(errBadFileNumber);
    if (!RemoveDirectoryW(wide_path(path).c_str())) {
        DWORD e = GetLastError();
        raise(e == ERROR_FILE_NOT_FOUND ? errPathNotFound : error_from_win32(e));
    }
}

void make_dir(const std::string& path)
{
    if (path.empty() || has_wildcards(path))
        raise(errBadFileNumber);
    if (!CreateDirectoryW(wide_path(path).c_str(), nullptr)) {
        DWORD e = GetLastError();
        raise(e == ERROR_ALREADY_EXISTS ? errPathFileAccess : error_from_win32(e));
    }
}

void change_drive(const std::string& drive)
{
    if (drive.empty())
        return;
    if (!drive_present(drive[0]))
        raise(errDeviceUnavailable);
    if (drive_not_ready(drive[0]))
        raise(errDiskNotReady);
    const wchar_t drive_only[] = {drive_root(drive[0])[0], L':', L'\0'};
    if (!SetCurrentDirectoryW(drive_only)) {
        DWORD e = GetLastError();
        raise(e == ERROR_NOT_READY ? errDiskNotReady : errDeviceUnavailable);
    }
}

bool file_exists(const std::string& path)
{
    DWORD a = raw_attributes(path);
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

bool path_exists(const std::string& path) { return raw_attributes(path) != INVALID_FILE_ATTRIBUTES; }

void replace_file(const std::string& from, const std::string& to)
{
    if (!MoveFileExW(wide_path(from).c_str(), wide_path(to).c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        raise_last_win32_error();
}

std::string make_temporary_file(const std::string& folder, const std::string& prefix)
{
    std::string base = folder;
    if (!ends_with_separator(base))
        base += '\\';
    const unsigned seed = GetTickCount() ^ (GetCurrentProcessId() << 16);
    for (unsigned attempt = 0; attempt < 1000; ++attempt) {
        char unique[16];
        wsprintfA(unique, "%04X.tmp", (seed + attempt) & 0xFFFF);
        const std::string path = base + prefix + unique;
        HANDLE h = CreateFileW(wide_path(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h != INVALID_HANDLE_VALUE) {
            CloseHandle(h);
            return path;
        }
        if (GetLastError() != ERROR_FILE_EXISTS && GetLastError() != ERROR_ALREADY_EXISTS)
            raise_last_win32_error();
    }
    raise(errPathFileAccess);
}

void delete_file_quietly(const std::string& path)
{
    if (!path.empty())
        DeleteFileW(wide_path(path).c_str());
}

std::string folder_path(const std::string& folder)
{
    const bool drive_only = folder.size() == 2 && folder[1] == ':' && std::isalpha(static_cast<unsigned char>(folder[0]));
    return drive_only ? folder + "\\" : folder;
}

bool is_fully_qualified(const std::string& path)
{
    if (is_drive_path(path))
        return true;
    if (path.size() < 5 || path.compare(0, 2, "\\\\") != 0)
        return false;
    size_t share = path.find('\\', 2);
    return share != std::string::npos && share > 2 && share + 1 < path.size() && path[share + 1] != '\\';
}

std::optional<std::string> full_path(const std::string& path)
{
    std::wstring relative;
    try {
        relative = utf16(path);
    } catch (const RuntimeError&) {
        return std::nullopt;
    }
    std::wstring full(kMaxWidePath + 1, L'\0');
    DWORD n = GetFullPathNameW(relative.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
    if (n == 0 || n >= full.size())
        return std::nullopt;
    full.resize(n);
    return utf8(full);
}

std::optional<std::string> long_path(const std::string& path)
{
    // The plain form, not the long one: Wine gives a "\\?\" path back as it is, short names and all.
    std::wstring wide;
    try {
        wide = utf16(path);
    } catch (const RuntimeError&) {
        return std::nullopt;
    }
    std::wstring buffer(kMaxWidePath + 1, L'\0');
    DWORD n = GetLongPathNameW(wide.c_str(), buffer.data(), static_cast<DWORD>(buffer.size()));
    if (n == 0 || n >= buffer.size())
        return std::nullopt;
    buffer.resize(n);
    return exact_utf8(buffer);
}

std::string current_folder()
{
    DWORD n = GetCurrentDirectoryW(0, nullptr);
    std::wstring folder(n, L'\0');
    n = n ? GetCurrentDirectoryW(n, folder.data()) : 0;
    folder.resize(n < folder.size() ? n : 0);
    return utf8(folder);
}

bool set_current_folder(const std::string& path)
{
    try {
        return !path.empty() && SetCurrentDirectoryW(utf16(path).c_str());
    } catch (const RuntimeError&) {
        return false;
    }
}

bool drive_present(char letter)
{
    const int index = drive_letter_index(std::string(1, letter));
    return index >= 0 && (GetLogicalDrives() & (1u << index));
}

bool drive_not_ready(char letter)
{
    if (!drive_present(letter))
        return false;
    DWORD serial = 0;
    return !GetVolumeInformationW(drive_root(letter).c_str(), nullptr, 0, &serial, nullptr, nullptr, nullptr, 0) &&
           GetLastError() == ERROR_NOT_READY;
}

bool drive_reachable(char letter)
{
    if (!drive_present(letter))
        return false;
    const std::wstring root = drive_root(letter);
    return GetVolumeInformationW(root.c_str(), nullptr, 0, nullptr, nullptr, nullptr, nullptr, 0) ||
           GetFileAttributesW(root.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string fixed_drive_label(char letter)
{
    if (!drive_present(letter))
        return "";
    const std::wstring root = drive_root(letter);
    const UINT type = GetDriveTypeW(root.c_str());
    wchar_t label[MAX_PATH + 1] = L"";
    if ((type == DRIVE_FIXED || type == DRIVE_RAMDISK) &&
        GetVolumeInformationW(root.c_str(), label, MAX_PATH + 1, nullptr, nullptr, nullptr, nullptr, 0))
        return utf8(label);
    return "";
}

} // namespace rt
