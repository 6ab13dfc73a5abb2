#include "tools/search_files.h"
#include <windows.h>
#include "common/file_io.h"
#include "engine/environment.h"
#include "runtime/errors.h"
#include "runtime/text.h"
#include "runtime/textfile.h"
#include "runtime/unicode.h"

namespace pellmaris {

namespace {

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

std::string quoted(const std::string& text) { return "\"" + text + "\""; }

[[noreturn]] void raise_last_error() { rt::raise(rt::error_from_win32(GetLastError())); }

// The path the system resolves an existing file or folder to, or nothing.
std::optional<std::wstring> final_path(const std::wstring& path)
{
    HANDLE h = CreateFileW(path.c_str(), 0, kShareAll, nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return std::nullopt;
    std::wstring buffer(32768, L'\0');
    const DWORD n = GetFinalPathNameByHandleW(h, buffer.data(), 32768, FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
    CloseHandle(h);
    if (n == 0 || n >= 32768)
        return std::nullopt;
    buffer.resize(n);
    CharUpperW(buffer.data());
    return buffer;
}

// A file that resolves elsewhere than its folder and name: a link (Wine shows a link to a
// file as a plain file, and removing it there removes what it points to).
bool resolves_elsewhere(const std::wstring& path)
{
    const size_t cut = path.find_last_of(L'\\');
    const auto file = final_path(path);
    const auto folder = final_path(path.substr(0, cut == 2 ? 3 : cut));
    if (!file || !folder)
        return true;
    std::wstring expected = *folder + (folder->back() == L'\\' ? L"" : L"\\") + path.substr(cut + 1);
    CharUpperW(expected.data());
    return *file != expected;
}

// The old file is removed and a new plain file takes its place. A link or a folder at the
// path is refused: a link is never written through, nor removed.
HANDLE create_new_file(const std::wstring& path)
{
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES &&
        ((attributes & (FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DIRECTORY)) || resolves_elsewhere(path)))
        rt::raise(rt::errPathFileAccess);
    if (!DeleteFileW(path.c_str()) && GetLastError() != ERROR_FILE_NOT_FOUND)
        raise_last_error();
    HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, CREATE_NEW,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        raise_last_error();
    return h;
}

void write_whole_file(const std::string& path, const std::string& bytes)
{
    HANDLE h = create_new_file(rt::utf16(path));
    DWORD written = 0;
    const bool ok = bytes.empty() ||
                    (WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                     written == bytes.size());
    const DWORD error = ok ? ERROR_SUCCESS : GetLastError();
    CloseHandle(h);
    if (!ok)
        rt::raise(error == ERROR_SUCCESS ? rt::errDiskFull : rt::error_from_win32(error));
}

} // namespace

std::vector<std::string> read_search_extensions(const std::string& path) { return read_lines_tolerant(path); }

void append_search_extension(const std::string& path, const std::string& extension)
{
    rt::TextFile file(path, rt::TextFile::Append);
    file.print_line(extension);
    file.close();
}

void write_search_extensions(const std::string& path, const std::vector<std::string>& extensions)
{
    write_file_safely(path, [&](rt::TextFile& file) {
        for (const auto& extension : extensions)
            file.print_line(extension);
    });
}

std::string search_batch_text(const std::vector<std::string>& drive_rows, const std::string& results_path)
{
    const std::string target = quoted(double_percent_signs(results_path));
    std::string text;
    for (const auto& drive : drive_rows)
        text += "Dir " + drive + "*.* /ad/s/b >> " + target + "\r\n";
    text += "echo FINISHED >> " + target + "\r\n";
    return text;
}

void write_search_batch(const std::string& batch_path, const std::vector<std::string>& drive_rows,
                        const std::string& results_path)
{
    // A new console starts in the OEM code page, and that is how it reads the batch.
    write_whole_file(batch_path, rt::utf8_to_code_page(search_batch_text(drive_rows, results_path), CP_OEMCP));
}

void empty_file(const std::string& path) { write_whole_file(path, ""); }

std::string batch_command_line(const std::string& batch_path) { return quoted(batch_path); }

bool is_end_marker(const std::string& line) { return rt::UCase(rt::Trim(line)) == "FINISHED"; }

void SearchListingReader::restart()
{
    offset_ = 0;
    unfinished_.clear();
}

std::optional<std::vector<std::string>> SearchListingReader::read_new_lines(const std::string& path)
{
    std::wstring wide;
    try {
        wide = rt::utf16(path);
    } catch (const rt::RuntimeError&) {
        return std::nullopt;
    }
    HANDLE h = CreateFileW(wide.c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                           nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return std::nullopt;
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(h, &size)) {
        CloseHandle(h);
        return std::nullopt;
    }
    if (static_cast<uint64_t>(size.QuadPart) < offset_)
        restart();
    LARGE_INTEGER from{};
    from.QuadPart = static_cast<LONGLONG>(offset_);
    std::string added;
    bool ok = SetFilePointerEx(h, from, nullptr, FILE_BEGIN) != 0;
    char buffer[65536];
    DWORD got = 0;
    while (ok && (ok = ReadFile(h, buffer, sizeof buffer, &got, nullptr) != 0) && got > 0)
        added.append(buffer, got);
    CloseHandle(h);
    if (!ok)
        return std::nullopt;

    offset_ += added.size();
    std::vector<std::string> lines;
    std::string text = unfinished_ + added;
    size_t start = 0;
    for (size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
        size_t length = end - start;
        if (length > 0 && text[end - 1] == '\r')
            --length;
        lines.push_back(text.substr(start, length));
    }
    unfinished_ = text.substr(start);
    return lines;
}

} // namespace pellmaris
