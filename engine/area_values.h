#pragma once
// The positional readings of pmdb.lst that the cleans make.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>
#include "runtime/errors.h"

namespace pellmaris {

// The force options as far as they were read; a value not reached keeps the caller's.
struct ForceOptions {
    std::optional<int16_t> read_only;
    std::optional<int16_t> hidden;
};

// The full clean's thirteen area values (items as read; "[LIST2]" in place of value 13
// becomes "2"). Reading stops quietly at the first failure; later "[LIST1]" blocks replace
// earlier values.
struct FullCleanAreas {
    std::array<std::string, 13> values;
    ForceOptions force;
    bool set(int n) const;   // value n equals 1
    bool equals(int n, double v) const;
};
FullCleanAreas read_full_clean_areas(const std::string& path);

// A single-area clean's gate value, the sub-option values after it and the force options.
// Raises for a missing file or a block that ends early (the clean's failure path); a file
// without "[LIST1]" gives an empty gate.
struct SingleAreaValues {
    std::string gate;
    std::vector<std::string> sub_options;   // read only when the gate position was reached
    ForceOptions force;
    std::optional<rt::RuntimeError> force_error;   // a failure after the gate
    // Gate value 0 (or empty): the area is not selected. Raises 13 for a value that is no number.
    bool gate_closed() const;
    // Sub-option n (1-based) equals 1. Raises 13 for a value that is no number.
    bool sub_option(std::size_t n) const;
};
SingleAreaValues read_single_area_values(const std::string& path, int gate_position, int sub_option_count);

// The two force options as the user-location clean reads them: after "[LIST1]", twelve
// or thirteen area values, then the two flags. A missing file or a failed read leaves
// what was not read.
ForceOptions read_user_clean_force_options(const std::string& path);

} // namespace pellmaris
