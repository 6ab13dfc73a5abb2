#include "analysis/analysis_size_text.h"
#include <cmath>
#include <cstdint>

namespace pellmaris {

namespace {

// Half away from zero, as the number formats of the grid round.
int64_t rounded(double v) { return static_cast<int64_t>(v < 0 ? -std::floor(-v + 0.5) : std::floor(v + 0.5)); }

// "#.0": the whole part (no digit for 0), a point and one decimal.
std::string one_decimal(double v)
{
    const int64_t tenths = rounded(v * 10);
    const int64_t whole = tenths / 10;
    return (whole != 0 ? std::to_string(whole) : std::string()) + "." + std::to_string(tenths % 10);
}

} // namespace

std::string analysis_size_text(double bytes)
{
    if (bytes <= 1024)
        return std::to_string(rounded(bytes)) + " Bytes";
    const double kilobytes = bytes / 1024;
    if (kilobytes <= 1024)
        return one_decimal(kilobytes) + " KB";
    return one_decimal(kilobytes / 1024) + " MB";
}

} // namespace pellmaris
