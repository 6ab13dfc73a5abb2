#include "runtime/unicode.h"
#include <windows.h>
#include "runtime/errors.h"

namespace rt {

namespace {

constexpr const char* kNotInCodePage = "The text holds characters that the system's code page cannot store";

int length_of(std::size_t n)
{
    if (n > 0x7fffffff)
        raise(errInvalidCall);
    return static_cast<int>(n);
}

// UTF-8 and UTF-7 take neither the no-best-fit flag nor the default-character check.
bool is_unicode_code_page(unsigned code_page)
{
    if (code_page == CP_ACP)
        code_page = GetACP();
    else if (code_page == CP_OEMCP)
        code_page = GetOEMCP();
    return code_page == CP_UTF8 || code_page == CP_UTF7;
}

std::optional<std::string> to_code_page(const std::wstring& wide, unsigned code_page)
{
    if (wide.empty())
        return std::string();
    const bool unicode = is_unicode_code_page(code_page);
    const DWORD flags = unicode ? WC_ERR_INVALID_CHARS : WC_NO_BEST_FIT_CHARS;
    BOOL used_default = FALSE;
    BOOL* check = unicode ? nullptr : &used_default;
    const int n = WideCharToMultiByte(code_page, flags, wide.data(), length_of(wide.size()), nullptr, 0, nullptr, check);
    if (n <= 0 || used_default)
        return std::nullopt;
    std::string out(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(code_page, flags, wide.data(), length_of(wide.size()), out.data(), n, nullptr, check);
    if (used_default)
        return std::nullopt;
    return out;
}

std::wstring from_code_page(const std::string& bytes, unsigned code_page, DWORD flags)
{
    if (bytes.empty())
        return {};
    const int n = MultiByteToWideChar(code_page, flags, bytes.data(), length_of(bytes.size()), nullptr, 0);
    if (n <= 0)
        raise(errInvalidCall);
    std::wstring out(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(code_page, flags, bytes.data(), length_of(bytes.size()), out.data(), n);
    return out;
}

} // namespace

std::wstring utf16(const std::string& utf8) { return from_code_page(utf8, CP_UTF8, MB_ERR_INVALID_CHARS); }

std::optional<std::string> exact_utf8(const std::wstring& utf16) { return to_code_page(utf16, CP_UTF8); }

std::string utf8(const std::wstring& utf16)
{
    if (utf16.empty())
        return {};
    const int n = WideCharToMultiByte(CP_UTF8, 0, utf16.data(), length_of(utf16.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(n > 0 ? n : 0), '\0');
    WideCharToMultiByte(CP_UTF8, 0, utf16.data(), length_of(utf16.size()), out.data(), n, nullptr, nullptr);
    return out;
}

std::string utf8_from_code_page(const std::string& bytes, unsigned code_page)
{
    return utf8(from_code_page(bytes, code_page, 0));
}

std::string utf8_to_code_page(const std::string& utf8, unsigned code_page)
{
    std::optional<std::string> bytes = to_code_page(utf16(utf8), code_page);
    if (!bytes)
        throw RuntimeError(errInvalidCall, kNotInCodePage);
    return *bytes;
}

bool fits_code_page(const std::string& utf8, unsigned code_page)
{
    try {
        return to_code_page(utf16(utf8), code_page).has_value();
    } catch (const RuntimeError&) {
        return false;
    }
}

std::string utf8_from_ansi(const std::string& bytes) { return utf8_from_code_page(bytes, CP_ACP); }

std::string utf8_to_ansi(const std::string& utf8) { return utf8_to_code_page(utf8, CP_ACP); }

} // namespace rt
