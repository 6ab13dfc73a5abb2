#pragma once
// Text and number rules the program's procedures are written against.
#include <cstdint>
#include <optional>
#include <string>

namespace rt {

std::string Trim(const std::string& s);   // blanks only, both ends
std::string LTrim(const std::string& s);
std::string RTrim(const std::string& s);
std::string UCase(const std::string& s);
std::string LCase(const std::string& s);
// Lengths and positions count characters of the UTF-8 text, not bytes.
size_t Len(const std::string& s);
// 1-based; start past the end gives ""; a negative length means "to the end".
std::string Mid(const std::string& s, long start, long length = -1);
std::string Left(const std::string& s, long n);
std::string Right(const std::string& s, long n);

// Number of the text when it is a number (blanks around it ignored), else nothing.
std::optional<double> to_number(const std::string& s);
// Numeric comparison of text: " 2 " equals 2; "" and non-numbers equal no number.
bool equals_number(const std::string& s, double n);

// Conversion to a whole number, a half going to the even neighbour.
int64_t round_half_even(double v);
int32_t CLng(double v);   // raises error 6 outside 32 bits
int16_t CInt(double v);   // raises error 6 outside 16 bits
int16_t CInt(const std::string& s); // raises 13 for a non-number

// "#.00": whole digits (none for 0), then ".00".
std::string format_00(int64_t whole);

// Dates and times of the given clock value (a FILETIME-like local time).
struct LocalTime {
    int year, month, day, hour, minute, second;
};
std::string format_ddmmyy(const LocalTime& t);     // with the system's date separator
std::string short_date_text(const LocalTime& t);   // the system's short date
std::string time_text(const LocalTime& t);         // the system's time format

} // namespace rt
