#include "runtime/text.h"
#include "runtime/errors.h"
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

std::string case_mapped(const std::string& s, bool upper)
{
    std::string out = s;
    if (!out.empty()) {
        auto len = static_cast<DWORD>(out.size());
        if (upper)
            CharUpperBuffA(out.data(), len);
        else
            CharLowerBuffA(out.data(), len);
    }
    return out;
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

std::string Mid(const std::string& s, long start, long length)
{
    if (start < 1)
        raise(errInvalidCall);
    auto from = static_cast<size_t>(start - 1);
    if (from >= s.size())
        return "";
    return length < 0 ? s.substr(from) : s.substr(from, static_cast<size_t>(length));
}

std::string Left(const std::string& s, long n)
{
    if (n < 0)
        raise(errInvalidCall);
    return s.substr(0, static_cast<size_t>(n));
}

std::string Right(const std::string& s, long n)
{
    if (n < 0)
        raise(errInvalidCall);
    auto count = static_cast<size_t>(n);
    return count >= s.size() ? s : s.substr(s.size() - count);
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

std::wstring widen(const std::string& s)
{
    if (s.empty())
        return {};
    int n = MultiByteToWideChar(CP_ACP, 0, s.data(), static_cast<int>(s.size()), nullptr, 0);
    std::wstring out(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_ACP, 0, s.data(), static_cast<int>(s.size()), out.data(), n);
    return out;
}

std::string narrow(const std::wstring& s)
{
    if (s.empty())
        return {};
    int n = WideCharToMultiByte(CP_ACP, 0, s.data(), static_cast<int>(s.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_ACP, 0, s.data(), static_cast<int>(s.size()), out.data(), n, nullptr, nullptr);
    return out;
}

} // namespace rt
