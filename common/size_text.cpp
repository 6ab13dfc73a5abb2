#include "common/size_text.h"
#include "runtime/text.h"

namespace pellmaris {

namespace {

// Whole-number division by 1024, a half going to the even neighbour.
int64_t divide_by_1024(int64_t v)
{
    int64_t q = v / 1024, r = v % 1024;
    if (r > 512 || (r == 512 && q % 2 != 0))
        ++q;
    return q;
}

} // namespace

ScaledSize scale_bytes(int64_t bytes)
{
    static const char* const kLargerUnits[] = {kUnitKBytes, kUnitMBytes};
    ScaledSize size{bytes, kUnitBytes};
    for (const char* unit : kLargerUnits) {
        if (size.value <= 1024)
            break;
        size.value = divide_by_1024(size.value);
        size.unit = unit;
    }
    return size;
}

std::string size_text(int64_t bytes)
{
    ScaledSize size = scale_bytes(bytes);
    return rt::format_00(size.value) + "  " + size.unit;
}

} // namespace pellmaris
