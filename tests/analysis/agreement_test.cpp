// The analysis agrees with the clean: for each pair of force options, each column's row 0
// is what the matching clean then frees, on the same tree.
#include <gtest/gtest.h>
#include "analysis_fixture.h"
#include "common/size_text.h"
#include "engine/clean_rules.h"
#include "app/Program.h"

using namespace analysistest;
using pellmaris::Form7;

namespace {

class Agreement : public AnalysisTest, public testing::WithParamInterface<Options> {
protected:
    // Every area but the log files, which have no column.
    void choose_areas()
    {
        const Options o = GetParam();
        set_areas(cleantest::area_file("1111111111101",
                                       std::to_string(o.force_read_only) + std::to_string(o.force_hidden) + "00"));
    }

    // The clean's own figure and the bytes that left the disk, both against row 0.
    void expect_clean_freed(int64_t expected, int64_t vanished_before, const char* area)
    {
        EXPECT_EQ(vanished_bytes() - vanished_before, expected) << area;
        EXPECT_EQ(report().at(1), pellmaris::totals_line(form().files_deleted, expected)) << area;
    }
};

} // namespace

TEST_P(Agreement, EachColumnsSelectionRowIsWhatItsCleanFrees)
{
    choose_areas();
    build_tree();
    start();
    analyse();
    const int64_t gamer = value(0, Form7::kGamer), internet = value(0, Form7::kInternet),
                  temp = value(0, Form7::kTemp), user = value(0, Form7::kUser), full = value(0, Form7::kFull);
    EXPECT_GT(gamer, 0);

    int64_t before = vanished_bytes();
    form().Picture4_Click();
    expect_clean_freed(gamer, before, "GAMER");
    before = vanished_bytes();
    form().Picture6_Click();
    expect_clean_freed(internet, before, "INTERNET");
    before = vanished_bytes();
    form().Picture8_Click();
    expect_clean_freed(temp, before, "TEMP");
    before = vanished_bytes();
    form().bytes_freed = 0;
    form().clean_userfiles();
    EXPECT_EQ(form().bytes_freed, user);
    EXPECT_EQ(vanished_bytes() - before, user);
    expect_sentinels_intact();

    // The full clean on the same tree again.
    rebuild_tree();
    analysis().Unload();
    analyse();
    EXPECT_EQ(value(0, Form7::kFull), full);
    form().Picture2_Click();
    EXPECT_EQ(vanished_bytes(), full);
    EXPECT_EQ(form().Label10.Caption(), "Space Freed Last Clean " + pellmaris::size_text(full));
    expect_sentinels_intact();
}

INSTANTIATE_TEST_SUITE_P(ForceOptions, Agreement, every_option_pair(), option_pair_name);
