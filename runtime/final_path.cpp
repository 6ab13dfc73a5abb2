#include "runtime/final_path.h"
#include <vector>
#include "runtime/errors.h"
#include "runtime/filesys.h"
#include "runtime/unicode.h"

namespace rt {

namespace {

constexpr wchar_t kLongPrefix[] = L"\\\\?\\";
constexpr wchar_t kLongUncPrefix[] = L"\\\\?\\UNC\\";

bool starts_with(const std::wstring& text, const wchar_t* prefix)
{
    return text.compare(0, wcslen(prefix), prefix) == 0;
}

// "\\?\C:\a" -> "C:\a", "\\?\UNC\s\x" -> "\\s\x"; anything else is no plain path.
std::optional<std::wstring> plain_form(const std::wstring& system_path)
{
    std::wstring path;
    if (starts_with(system_path, kLongUncPrefix))
        path = L"\\\\" + system_path.substr(wcslen(kLongUncPrefix));
    else if (starts_with(system_path, kLongPrefix))
        path = system_path.substr(wcslen(kLongPrefix));
    else
        path = system_path;
    const bool drive = path.size() >= 3 && iswalpha(path[0]) && path[1] == L':' && path[2] == L'\\';
    const bool unc = path.size() >= 3 && path[0] == L'\\' && path[1] == L'\\' && path[2] != L'\\'
        && path[2] != L'?' && path[2] != L'.';
    if (!drive && !unc)
        return std::nullopt;
    if (path.size() > 3 && path.back() == L'\\')
        path.pop_back();
    return path;
}

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

// The object manager's name of the handle. Under Wine it is the DOS path behind "\\??\\",
// and Wine 8 gives no final path past MAX_PATH: this is how a long path is known there.
std::optional<std::wstring> object_name_of(HANDLE handle)
{
    struct Name {
        USHORT length, maximum;
        PWSTR buffer;
    };
    using Query = LONG(WINAPI*)(HANDLE, int, void*, ULONG, ULONG*);
    static const auto query = reinterpret_cast<Query>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQueryObject")));
    if (!query)
        return std::nullopt;
    std::vector<unsigned char> buffer(sizeof(Name) + 2 * 32768 + 16);
    ULONG returned = 0;
    if (query(handle, 1 /* ObjectNameInformation */, buffer.data(), static_cast<ULONG>(buffer.size()), &returned) < 0)
        return std::nullopt;
    const auto* name = reinterpret_cast<const Name*>(buffer.data());
    std::wstring text(name->buffer, name->length / sizeof(wchar_t));
    if (text.rfind(L"\\??\\", 0) != 0)
        return std::nullopt;
    return kLongPrefix + text.substr(4);
}

// The W functions take "\\?\" paths so that long paths and names Windows allows are reached.
std::wstring system_form(const std::string& path)
{
    std::wstring wide = utf16(path);
    if (wide.size() >= 2 && wide[0] == L'\\' && wide[1] == L'\\')
        return kLongUncPrefix + wide.substr(2);
    return kLongPrefix + wide;
}

} // namespace

bool FinalPath::is_folder() const { return attributes & FILE_ATTRIBUTE_DIRECTORY; }

bool FinalPath::is_link() const { return attributes & FILE_ATTRIBUTE_REPARSE_POINT; }

std::optional<std::string> final_path_of(HANDLE handle)
{
    std::vector<wchar_t> buffer(MAX_PATH);
    std::optional<std::wstring> system_path;
    for (;;) {
        DWORD n = GetFinalPathNameByHandleW(handle, buffer.data(), static_cast<DWORD>(buffer.size()),
                                            FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
        if (n > 0 && n < buffer.size()) {
            system_path = std::wstring(buffer.data(), n);
            break;
        }
        if (n == 0 || n > 32768) {
            system_path = object_name_of(handle);
            break;
        }
        buffer.resize(n + 1);
    }
    auto plain = system_path ? plain_form(*system_path) : std::nullopt;
    return plain ? exact_utf8(*plain) : std::nullopt;
}

std::optional<FinalPath> find_final_path(const std::string& path)
{
    if (!is_fully_qualified(path))
        return std::nullopt;
    HANDLE h = CreateFileW(system_form(path).c_str(), FILE_READ_ATTRIBUTES,
                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                           FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        if (is_missing(GetLastError()))
            return std::nullopt;
        raise(errPathFileAccess);
    }
    BY_HANDLE_FILE_INFORMATION info{};
    const bool known = GetFileInformationByHandle(h, &info);
    std::optional<std::string> final = final_path_of(h);
    CloseHandle(h);
    if (!known || !final)
        raise(errPathFileAccess);
    return FinalPath{*final, info.dwFileAttributes};
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

std::string path_key(const std::string& path)
{
    std::wstring wide = utf16(path);
    if (!wide.empty())
        CharUpperBuffW(wide.data(), static_cast<DWORD>(wide.size()));
    return utf8(wide);
}

bool same_path(const std::string& a, const std::string& b) { return path_key(a) == path_key(b); }

} // namespace rt
