#pragma once
// A byte count as the clean report shows it: " Bytes", " KBytes" or " MBytes".
#include <cstdint>
#include <string>

namespace pellmaris {

inline constexpr const char* kUnitBytes = " Bytes";
inline constexpr const char* kUnitKBytes = " KBytes";
inline constexpr const char* kUnitMBytes = " MBytes";

struct ScaledSize {
    int64_t value;
    std::string unit;   // with its leading blank
};

// Divided by 1024 (half to even) while strictly greater than 1024, at most twice.
ScaledSize scale_bytes(int64_t bytes);
// "#.00" of the scaled value, "  ", then the unit: 2560 gives "2.00   KBytes", 0 ".00   Bytes".
std::string size_text(int64_t bytes);

} // namespace pellmaris
