// A click on a Gamer, Internet or Temp cell: that area counted again with every sub-folder
// walked, its files listed by class in the results window.
#include <gtest/gtest.h>
#include <algorithm>
#include "analysis/analysis_count.h"
#include "analysis_fixture.h"
#include "app/Program.h"

using namespace analysistest;
using pellmaris::Form7;

namespace {

class DrillDown : public AnalysisTest {
protected:
    std::vector<std::string> items(rt::ListBox& list) { return list.items(); }
    std::vector<std::string> sorted(std::vector<std::string> v)
    {
        std::sort(v.begin(), v.end());
        return v;
    }
    std::vector<std::vector<std::string>> all_lists()
    {
        return {items(results().List1), items(results().List2), items(results().List3), items(results().List4)};
    }
};

const COLORREF kGreen = RGB(0, 128, 0), kRed = RGB(128, 0, 0);

} // namespace

TEST_F(DrillDown, AnyRowOfTheGamerColumnListsItsFilesByClassFromEveryFolder)
{
    set_areas(cleantest::area_file("1111111111111", "1000"));
    build_tree();
    start();
    analyse();
    const std::string grid_gamer = caption(1, Form7::kGamer);

    click(analysis(), analysis().Label23);   // row 2 of the Gamer column
    ASSERT_TRUE(results().Visible());
    // Deep: the dot-named and the read-only sub-folders are listed, which the grid did not count.
    EXPECT_EQ(sorted(items(results().List1)),
              sorted({gamer() + "plain.bin", gamer() + "sub\\deep.bin", gamer() + ".cache\\dot.bin",
                      gamer() + "rosub\\inro.bin"}));
    EXPECT_EQ(items(results().List2), std::vector<std::string>{gamer() + "ro.bin"});
    EXPECT_EQ(items(results().List3), std::vector<std::string>{gamer() + "hid.bin"});
    EXPECT_EQ(items(results().List4), std::vector<std::string>{gamer() + "hro.bin"});
    EXPECT_EQ(results().Label5.Caption(), "4  Files");
    EXPECT_EQ(results().Label6.Caption(), "1  Files");
    EXPECT_EQ(results().Label7.Caption(), "1  Files");
    EXPECT_EQ(results().Label8.Caption(), "1  Files");

    // Read-only forced, hidden not.
    EXPECT_EQ(results().Label9.Caption(), "Option SELECTED");
    EXPECT_EQ(results().Label9.ForeColor(), kGreen);
    EXPECT_EQ(results().Label10.Caption(), "Option SELECTED");
    EXPECT_EQ(results().Label10.ForeColor(), kGreen);
    for (rt::Label* label : {&results().Label11, &results().Label12}) {
        EXPECT_EQ(label->Caption(), "Option NOT SELECTED");
        EXPECT_EQ(label->ForeColor(), kRed);
    }

    // The click changes no cell; every other row of the column gives the same lists.
    EXPECT_EQ(caption(1, Form7::kGamer), grid_gamer);
    const auto first = all_lists();
    for (rt::Label* row : {&analysis().Label13, &analysis().Label18, &analysis().Label28, &analysis().Label33}) {
        click(analysis(), *row);
        EXPECT_EQ(all_lists(), first) << row->Name();
    }
    EXPECT_EQ(analysis().total_bytes, 101 + 102 + 104 + 108 + 116 + 132 + 164);
    EXPECT_EQ(app->Form4.List4.ListCount(), 0);   // the engine's work lists stay untouched
    expect_sentinels_intact();
}

TEST_F(DrillDown, InternetListsTheCacheFirstThenTheCookies)
{
    set_areas(cleantest::area_file("1111111111111", "0000"));
    build_tree();
    start();
    analyse();
    click(analysis(), analysis().Label34);
    const auto read_only = items(results().List2);
    EXPECT_EQ(read_only, (std::vector<std::string>{cache() + "ro.dat", cookies() + "ro.txt"}));
    EXPECT_EQ(items(results().List4), (std::vector<std::string>{cache() + "hro.dat", cookies() + "hro.txt"}));
    const auto plain = items(results().List1);
    ASSERT_EQ(plain.size(), 5u);
    EXPECT_EQ(plain.back(), cookies() + "plain.txt");
    for (rt::Label* label : {&results().Label10, &results().Label11, &results().Label12}) {
        EXPECT_EQ(label->Caption(), "Option NOT SELECTED");
        EXPECT_EQ(label->ForeColor(), kRed);
    }
    EXPECT_EQ(results().Label9.ForeColor(), kGreen);

    // Temp: nothing hidden read-only in a folder of its own, an empty list counts 0.
    testsupport::remove_tree(temp() + "hro.tmp");
    click(analysis(), analysis().Label15);
    EXPECT_EQ(results().Label8.Caption(), "0  Files");
    EXPECT_EQ(results().List4.ListCount(), 0);
    EXPECT_EQ(results().Label7.Caption(), "1  Files");
}

TEST_F(DrillDown, TheUserAndFullCellsHaveNoClick)
{
    build_tree();
    start();
    analyse();
    click(analysis(), analysis().cell(1, Form7::kUser));
    click(analysis(), analysis().cell(1, Form7::kFull));
    EXPECT_FALSE(results().is_loaded());
    EXPECT_EQ(analysis().cell(1, Form7::kUser).ToolTipText(), "");
    EXPECT_EQ(analysis().cell(3, Form7::kTemp).ToolTipText(), "Click to view files");
}

TEST(FirstMatchRemoval, EachItemOfTheOtherListsTakesTheFirstCopyLeft)
{
    std::vector<std::string> list{"a", "a", "b", "c", "A", "c"};
    const std::vector<std::string> read_only{"a"}, hidden{"c", "x"}, both{"c"};
    pellmaris::remove_first_matches(list, {&read_only, &hidden, &both});
    EXPECT_EQ(list, (std::vector<std::string>{"a", "b", "A"}));

    std::vector<std::string> three{"a", "a", "b"};
    pellmaris::remove_first_matches(three, {&read_only});
    EXPECT_EQ(three, (std::vector<std::string>{"a", "b"}));
}

TEST_F(DrillDown, NeverInsideARunningClean)
{
    set_areas(cleantest::area_file("1111111111101", "1100"));
    build_tree();
    start();
    analysis().Load();
    // The analysis' tick and a cell click come while a clean yields: both wait for its end.
    int ticks = 0;
    app->sys.yield_hook = [&] {
        if (ticks++ == 0) {
            analysis().Timer1_Timer();
            analysis().Label15_Click();
            EXPECT_TRUE(analysis().Timer1.Enabled());
            EXPECT_EQ(caption(1, Form7::kTemp), "");
            EXPECT_FALSE(results().is_loaded());
        }
    };
    form().Picture4_Click();   // the GAMER clean
    app->sys.yield_hook = nullptr;
    ASSERT_GT(ticks, 0);
    EXPECT_FALSE(results().is_loaded());
    EXPECT_TRUE(analysis().Timer3.Enabled());

    // After the clean the waiting click and the analysis run, on what the clean left.
    analysis().Timer3_Timer();
    EXPECT_TRUE(results().Visible());
    EXPECT_EQ(results().List1.ListCount(), 4);   // plain.tmp, nested\deep.tmp, .cache\dot.tmp, w.tmp
    analysis().Timer1_Timer();
    EXPECT_FALSE(analysis().Timer1.Enabled());
    EXPECT_EQ(value(0, Form7::kGamer), 0);   // cleaned meanwhile
    EXPECT_EQ(value(1, Form7::kTemp), 2495);
}
