#include "common/size_text.h"
#include <gtest/gtest.h>

using namespace pellmaris;

TEST(SizeText, ScalesOnlyWhenStrictlyAbove1024HalfToEven)
{
    struct Case {
        int64_t bytes;
        int64_t value;
        const char* unit;
    };
    const int64_t K = 1024, M = 1024 * 1024;
    const Case cases[] = {
        {0, 0, " Bytes"},
        {1024, 1024, " Bytes"},
        {1025, 1, " KBytes"},
        {1536, 2, " KBytes"},          // 1.5 -> 2
        {2560, 2, " KBytes"},          // 2.5 -> 2
        {3584, 4, " KBytes"},          // 3.5 -> 4
        {2559, 2, " KBytes"},
        {2561, 3, " KBytes"},
        {M, 1024, " KBytes"},
        {M + 512, 1024, " KBytes"},    // 1024.5 -> 1024, not scaled again
        {M + 1536, 1, " MBytes"},      // 1025.5 -> 1026, scaled again
        {1025 * K, 1, " MBytes"},
        {(int64_t(1) << 31), 2048, " MBytes"},
        {5 * K * M, 5120, " MBytes"},
        {(int64_t(1) << 50), int64_t(1) << 30, " MBytes"},   // no larger unit
    };
    for (const auto& c : cases) {
        ScaledSize s = scale_bytes(c.bytes);
        EXPECT_EQ(s.unit, c.unit) << c.bytes;
        EXPECT_EQ(s.value, c.value) << c.bytes;
    }
}

TEST(SizeText, TextHasTwoBlanksBeforeTheUnitsOwnBlank)
{
    EXPECT_EQ(size_text(0), ".00   Bytes");
    EXPECT_EQ(size_text(1024), "1024.00   Bytes");
    EXPECT_EQ(size_text(2560), "2.00   KBytes");
    EXPECT_EQ(size_text(1025 * 1024), "1.00   MBytes");
    EXPECT_EQ(size_text(int64_t(5) * 1024 * 1024 * 1024), "5120.00   MBytes");
}
