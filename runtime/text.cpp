#include "runtime/text.h"
#include "runtime/errors.h"
#include "runtime/unicode.h"
#include <windows.h>
#include <cmath>
#include <cstdlib>

namespace rt {

namespace {

bool is_blank(char c) { return c == ' '; }
bool is_space_or_tab(char c) { return c == ' ' || c == '\t'; }
bool is_digit(char c) { return c >= '0' && c <= '9'; }

// Skips a run of digits; returns how many there were.
size_t skip_digits(const std::string& s, size_t& i)
{
    size_t start = i;
    while (i < s.size() && is_digit(s[i]))
        ++i;
    return i - start;
}

// Sign, digits with an optional decimal point (at least one digit), optional exponent.
bool is_plain_number(const std::string& s)
{
    size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-'))
        ++i;
    size_t digits = skip_digits(s, i);
    if (i < s.size() && s[i] == '.') {
        ++i;
        digits += skip_digits(s, i);
    }
    if (digits == 0)
        return false;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        ++i;
        if (i < s.size() && (s[i] == '+' || s[i] == '-'))
            ++i;
        if (skip_digits(s, i) == 0)
            return false;
    }
    return i == s.size();
}

SYSTEMTIME to_systemtime(const LocalTime& t)
{
    SYSTEMTIME st{};
    st.wYear = static_cast<WORD>(t.year);
    st.wMonth = static_cast<WORD>(t.month);
    st.wDay = static_cast<WORD>(t.day);
    st.wHour = static_cast<WORD>(t.hour);
    st.wMinute = static_cast<WORD>(t.minute);
    st.wSecond = static_cast<WORD>(t.second);
    return st;
}

std::string two_digits(int n)
{
    n = ((n % 100) + 100) % 100;
    return std::string(1, static_cast<char>('0' + n / 10)) + static_cast<char>('0' + n % 10);
}

std::string date_separator()
{
    char buf[8] = {};
    if (GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDATE, buf, sizeof buf) > 1)
        return buf;
    return "/";
}

// Upper or lower case of every character; text that is not UTF-8 keeps its bytes past ASCII.
std::string case_mapped(const std::string& s, bool upper)
{
    if (s.empty())
        return s;
    try {
        std::wstring wide = utf16(s);
        auto len = static_cast<DWORD>(wide.size());
        if (upper)
            CharUpperBuffW(wide.data(), len);
        else
            CharLowerBuffW(wide.data(), len);
        return utf8(wide);
    } catch (const RuntimeError&) {
        std::string out = s;
        for (char& c : out)
            if (upper && c >= 'a' && c <= 'z')
                c = static_cast<char>(c - 'a' + 'A');
            else if (!upper && c >= 'A' && c <= 'Z')
                c = static_cast<char>(c - 'A' + 'a');
        return out;
    }
}

bool is_continuation_byte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// The byte offset of the character `n` (0-based) of UTF-8 text, or its size when it has fewer.
size_t offset_of_character(const std::string& s, size_t n)
{
    size_t i = 0;
    for (; i < s.size() && n > 0; --n)
        for (++i; i < s.size() && is_continuation_byte(s[i]); ++i) {
        }
    return i;
}

} // namespace

std::string LTrim(const std::string& s)
{
    size_t i = 0;
    while (i < s.size() && is_blank(s[i]))
        ++i;
    return s.substr(i);
}

std::string RTrim(const std::string& s)
{
    size_t n = s.size();
    while (n > 0 && is_blank(s[n - 1]))
        --n;
    return s.substr(0, n);
}

std::string Trim(const std::string& s) { return LTrim(RTrim(s)); }

std::string UCase(const std::string& s) { return case_mapped(s, true); }
std::string LCase(const std::string& s) { return case_mapped(s, false); }

size_t Len(const std::string& s)
{
    size_t n = 0;
    for (char c : s)
        n += !is_continuation_byte(c);
    return n;
}

std::string Mid(const std::string& s, long start, long length)
{
    if (start < 1)
        raise(errInvalidCall);
    const size_t from = offset_of_character(s, static_cast<size_t>(start - 1));
    if (from >= s.size())
        return "";
    if (length < 0)
        return s.substr(from);
    const size_t to = from + offset_of_character(s.substr(from), static_cast<size_t>(length));
    return s.substr(from, to - from);
}

std::string Left(const std::string& s, long n)
{
    if (n < 0)
        raise(errInvalidCall);
    return s.substr(0, offset_of_character(s, static_cast<size_t>(n)));
}

std::string Right(const std::string& s, long n)
{
    if (n < 0)
        raise(errInvalidCall);
    const size_t count = static_cast<size_t>(n), length = Len(s);
    return count >= length ? s : s.substr(offset_of_character(s, length - count));
}

std::optional<double> to_number(const std::string& s)
{
    size_t first = 0, last = s.size();
    while (first < last && is_space_or_tab(s[first]))
        ++first;
    while (last > first && is_space_or_tab(s[last - 1]))
        --last;
    std::string core = s.substr(first, last - first);
    if (!is_plain_number(core))
        return std::nullopt;
    return std::strtod(core.c_str(), nullptr);
}

bool equals_number(const std::string& s, double n)
{
    auto v = to_number(s);
    return v && *v == n;
}

int64_t round_half_even(double v)
{
    // 2^63: anything at or beyond it has no 64-bit whole number.
    constexpr double limit = 9223372036854775808.0;
    if (std::isnan(v) || v >= limit || v < -limit)
        raise(errOverflow);
    double whole = std::floor(v);
    double rest = v - whole;
    if (rest > 0.5 || (rest == 0.5 && std::fmod(whole, 2.0) != 0.0))
        whole += 1.0;
    return static_cast<int64_t>(whole);
}

int32_t CLng(double v)
{
    int64_t r = round_half_even(v);
    if (r < INT32_MIN || r > INT32_MAX)
        raise(errOverflow);
    return static_cast<int32_t>(r);
}

int16_t CInt(double v)
{
    int64_t r = round_half_even(v);
    if (r < INT16_MIN || r > INT16_MAX)
        raise(errOverflow);
    return static_cast<int16_t>(r);
}

int16_t CInt(const std::string& s)
{
    auto v = to_number(s);
    if (!v)
        raise(errTypeMismatch);
    return CInt(*v);
}

std::string format_00(int64_t whole)
{
    if (whole == 0)
        return ".00";
    return std::to_string(whole) + ".00";
}

std::string format_ddmmyy(const LocalTime& t)
{
    std::string sep = date_separator();
    return two_digits(t.day) + sep + two_digits(t.month) + sep + two_digits(t.year);
}

std::string short_date_text(const LocalTime& t)
{
    SYSTEMTIME st = to_systemtime(t);
    char buf[128] = {};
    if (GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &st, nullptr, buf, sizeof buf) <= 0)
        raise(errInvalidCall);
    return buf;
}

std::string time_text(const LocalTime& t)
{
    SYSTEMTIME st = to_systemtime(t);
    char buf[128] = {};
    if (GetTimeFormatA(LOCALE_USER_DEFAULT, 0, &st, nullptr, buf, sizeof buf) <= 0)
        raise(errInvalidCall);
    return buf;
}

} // namespace rt
