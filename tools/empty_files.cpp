#include "tools/empty_files.h"
#include <windows.h>
#include <shlobj.h>
#include <optional>
#include "runtime/errors.h"
#include "runtime/unicode.h"

namespace pellmaris {

namespace {

class Handle {
public:
    explicit Handle(HANDLE h) : h_(h) {}
    ~Handle()
    {
        if (valid())
            CloseHandle(h_);
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    bool valid() const { return h_ != INVALID_HANDLE_VALUE && h_ != nullptr; }
    HANDLE get() const { return h_; }

private:
    HANDLE h_;
};

std::wstring upper(std::wstring text)
{
    if (!text.empty())
        CharUpperBuffW(text.data(), static_cast<DWORD>(text.size()));
    return text;
}

std::optional<std::wstring> final_path_of(HANDLE h)
{
    std::wstring buffer(MAX_PATH, L'\0');
    for (;;) {
        DWORD n = GetFinalPathNameByHandleW(h, buffer.data(), static_cast<DWORD>(buffer.size()),
                                            FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
        if (n == 0)
            return std::nullopt;
        if (n < buffer.size()) {
            buffer.resize(n);
            return buffer;
        }
        buffer.resize(n + 1);
    }
}

// The folder's final path, upper-cased and ending in "\"; nothing when it cannot be opened.
std::optional<std::wstring> folder_final_path(const std::wstring& folder)
{
    if (folder.empty())
        return std::nullopt;
    Handle h(CreateFileW(folder.c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                         nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!h.valid())
        return std::nullopt;
    auto path = final_path_of(h.get());
    if (!path)
        return std::nullopt;
    std::wstring text = upper(*path);
    if (text.back() != L'\\')
        text += L'\\';
    return text;
}

std::wstring environment_value(const wchar_t* name)
{
    wchar_t value[MAX_PATH * 2];
    DWORD n = GetEnvironmentVariableW(name, value, MAX_PATH * 2);
    return n > 0 && n < MAX_PATH * 2 ? std::wstring(value, n) : std::wstring();
}

std::wstring shell_folder(int csidl)
{
    wchar_t folder[MAX_PATH];
    return SUCCEEDED(SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, folder)) ? std::wstring(folder)
                                                                                           : std::wstring();
}

std::wstring windows_folder()
{
    wchar_t folder[MAX_PATH];
    UINT n = GetWindowsDirectoryW(folder, MAX_PATH);
    return n > 0 && n < MAX_PATH ? std::wstring(folder, n) : std::wstring();
}

// Many programs keep empty marker files in these folders.
std::vector<std::wstring> protected_folder_names(const std::string& program_folder)
{
    std::vector<std::wstring> names = {
        windows_folder(),
        shell_folder(CSIDL_WINDOWS),
        shell_folder(CSIDL_PROGRAM_FILES),
        shell_folder(CSIDL_PROGRAM_FILESX86),
        environment_value(L"ProgramFiles"),
        environment_value(L"ProgramFiles(x86)"),
        environment_value(L"ProgramW6432"),
    };
    try {
        names.push_back(rt::utf16(program_folder));
    } catch (const rt::RuntimeError&) {
    }
    return names;
}

constexpr DWORD kNotPlain = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_READONLY |
                            FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;

// The path as GetFinalPathNameByHandleW writes it, without its \\?\ or \\?\UNC\ start.
std::wstring without_long_path_prefix(const std::wstring& path)
{
    if (path.rfind(L"\\\\?\\UNC\\", 0) == 0)
        return L"\\\\" + path.substr(8);
    if (path.rfind(L"\\\\?\\", 0) == 0)
        return path.substr(4);
    return path;
}

// Whether the handle holds the file at that very path, and not one a link led to.
bool is_opened_as_named(const std::wstring& final_path, const std::wstring& requested)
{
    return upper(without_long_path_prefix(final_path)) == upper(requested);
}

bool still_empty_plain_file(HANDLE h)
{
    BY_HANDLE_FILE_INFORMATION info;
    if (!GetFileInformationByHandle(h, &info))
        return false;
    return (info.dwFileAttributes & kNotPlain) == 0 && info.nFileSizeHigh == 0 && info.nFileSizeLow == 0;
}

} // namespace

EmptyFileDeleter::EmptyFileDeleter(const std::string& program_folder)
{
    for (const std::wstring& name : protected_folder_names(program_folder))
        if (auto path = folder_final_path(name))
            protected_.push_back(*path);
}

bool EmptyFileDeleter::is_protected(const std::wstring& final_path) const
{
    const std::wstring path = upper(final_path);
    for (const std::wstring& folder : protected_)
        if (path.compare(0, folder.size(), folder) == 0)
            return true;
    return false;
}

EmptyFileOutcome EmptyFileDeleter::delete_if_still_empty(const std::string& path) const
{
    std::wstring wide;
    try {
        wide = rt::utf16(path);
    } catch (const rt::RuntimeError&) {
        return EmptyFileOutcome::Failed;
    }
    // No write sharing: nothing can give the file data between the check and the deletion.
    // A link is opened as itself and then refused as no plain file.
    Handle h(CreateFileW(wide.c_str(), DELETE | FILE_READ_ATTRIBUTES | SYNCHRONIZE, FILE_SHARE_READ, nullptr,
                         OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    if (!h.valid()) {
        DWORD e = GetLastError();
        return e == ERROR_FILE_NOT_FOUND || e == ERROR_PATH_NOT_FOUND ? EmptyFileOutcome::NotEmpty
                                                                      : EmptyFileOutcome::Failed;
    }
    if (!still_empty_plain_file(h.get()))
        return EmptyFileOutcome::NotEmpty;
    auto final_path = final_path_of(h.get());
    if (!final_path)
        return EmptyFileOutcome::Failed;
    // Wine opens a link to a file as its target, whatever the flags say.
    if (!is_opened_as_named(*final_path, wide))
        return EmptyFileOutcome::NotEmpty;
    if (is_protected(*final_path))
        return EmptyFileOutcome::Protected;
    FILE_DISPOSITION_INFO disposition{TRUE};
    if (!SetFileInformationByHandle(h.get(), FileDispositionInfo, &disposition, sizeof disposition))
        return EmptyFileOutcome::Failed;
    return EmptyFileOutcome::Deleted;
}

} // namespace pellmaris
