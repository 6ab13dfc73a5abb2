#pragma once
// The program's strings are UTF-8. These are the only conversions to and from the
// system's UTF-16 and code pages; none of them ever substitutes a look-alike character.
#include <optional>
#include <string>

namespace rt {

// UTF-8 to UTF-16 for the W functions. Raises 5 for text that is not valid UTF-8.
std::wstring utf16(const std::string& utf8);
// UTF-16 to UTF-8, exactly; nothing when the text holds an unpaired surrogate (a name
// Windows allows but that has no UTF-8 form: it must not be used as a name).
std::optional<std::string> exact_utf8(const std::wstring& utf16);
// UTF-16 to UTF-8 for display: an unpaired surrogate shows as U+FFFD.
std::string utf8(const std::wstring& utf16);

// Bytes in a code page (CP_ACP, CP_OEMCP, ...) to UTF-8.
std::string utf8_from_code_page(const std::string& bytes, unsigned code_page);
// UTF-8 to bytes in a code page. Raises 5 ("... cannot be stored in the system's code
// page") when a character has no exact form there: no best fit, no default character.
std::string utf8_to_code_page(const std::string& utf8, unsigned code_page);
// Whether the text has an exact form in the code page.
bool fits_code_page(const std::string& utf8, unsigned code_page);

// The ANSI code page, which the program's text files are kept in.
std::string utf8_from_ansi(const std::string& bytes);
std::string utf8_to_ansi(const std::string& utf8);

} // namespace rt
