// A click on a Gamer, Internet or Temp cell: that area counted again as its clean walks it,
// its files listed by class in the results window.
#include <gtest/gtest.h>
#include <algorithm>
#include <iterator>
#include <set>
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

TEST_F(DrillDown, AnyRowOfTheGamerColumnListsItsFilesByClass)
{
    set_areas(cleantest::area_file("1111111111111", "1000"));
    build_tree();
    start();
    analyse();
    const std::string grid_gamer = caption(1, Form7::kGamer);

    click(analysis(), analysis().Label23);   // row 2 of the Gamer column
    ASSERT_TRUE(results().Visible());
    // As the clean: the dot-named (hidden) sub-folder is not entered.
    EXPECT_EQ(sorted(items(results().List1)),
              sorted({gamer() + "plain.bin", gamer() + "sub\\deep.bin", gamer() + "rosub\\inro.bin"}));
    EXPECT_EQ(items(results().List2), std::vector<std::string>{gamer() + "ro.bin"});
    EXPECT_EQ(items(results().List3), std::vector<std::string>{gamer() + "hid.bin"});
    EXPECT_EQ(items(results().List4), std::vector<std::string>{gamer() + "hro.bin"});
    EXPECT_EQ(results().Label5.Caption(), "3  Files");
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
    EXPECT_EQ(analysis().total_bytes, 101 + 102 + 104 + 108 + 116 + 164);
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
    EXPECT_EQ(results().List1.ListCount(), 3);   // plain.tmp, nested\deep.tmp, w.tmp
    analysis().Timer1_Timer();
    EXPECT_FALSE(analysis().Timer1.Enabled());
    EXPECT_EQ(value(0, Form7::kGamer), 0);   // cleaned meanwhile
    EXPECT_EQ(value(1, Form7::kTemp), 2495);
}

namespace {

class DrillDownAgreement : public DrillDown, public testing::WithParamInterface<Options> {
protected:
    // A hidden and a read-only sub-folder in the location, each with a file of every class.
    void add_special_sub_folders(const std::string& location)
    {
        constexpr DWORD ro = FILE_ATTRIBUTE_READONLY, hid = FILE_ATTRIBUTE_HIDDEN;
        for (const char* folder : {".hidden_folder\\", "readonly_folder\\"}) {
            file(location + folder + "plain.f", 1);
            file(location + folder + "ro.f", 2, ro);
            file(location + folder + "hid.f", 4, hid);
            file(location + folder + "hro.f", 8, ro | hid);
        }
        make_read_only_folder(location + "readonly_folder");
    }

    // The files that the clean of the clicked area deletes with the options, by its lists.
    std::multiset<std::string> listed_for_clean()
    {
        const Options o = GetParam();
        std::multiset<std::string> files;
        auto take = [&](rt::ListBox& list) {
            for (const std::string& item : list.items())
                files.insert(item);
        };
        take(results().List1);
        if (o.force_read_only)
            take(results().List2);
        if (o.force_hidden)
            take(results().List3);
        if (o.force_read_only && o.force_hidden)
            take(results().List4);
        return files;
    }
};

std::multiset<std::string> difference(const std::set<std::string>& before, const std::set<std::string>& after)
{
    std::multiset<std::string> gone;
    std::set_difference(before.begin(), before.end(), after.begin(), after.end(), std::inserter(gone, gone.end()));
    return gone;
}

} // namespace

TEST_P(DrillDownAgreement, EachAreasListsNameExactlyWhatItsCleanDeletes)
{
    const Options o = GetParam();
    set_areas(cleantest::area_file("1111111111101", std::to_string(o.force_read_only) + std::to_string(o.force_hidden) + "00"));
    build_tree();
    for (const std::string& location : {gamer(), cache(), temp()})
        add_special_sub_folders(location);
    start();
    analyse();

    struct Area {
        rt::Label& cell;
        void (pellmaris::Form1::*clean)();
    };
    const Area areas[] = {{analysis().Label13, &pellmaris::Form1::Picture4_Click},
                          {analysis().Label34, &pellmaris::Form1::Picture6_Click},
                          {analysis().Label25, &pellmaris::Form1::Picture8_Click}};
    std::vector<std::multiset<std::string>> listed;
    for (const Area& area : areas) {
        click(analysis(), area.cell);
        listed.push_back(listed_for_clean());
    }
    // The Internet clean walks into hidden and read-only folders, the Gamer and Temp cleans not.
    EXPECT_EQ(listed[0].count(gamer() + ".hidden_folder\\plain.f"), 0u);
    EXPECT_EQ(listed[1].count(cache() + ".hidden_folder\\plain.f"), 1u);
    EXPECT_EQ(listed[2].count(temp() + "readonly_folder\\plain.f"), 0u);

    for (std::size_t i = 0; i < listed.size(); ++i) {
        const std::set<std::string> before = remaining_junk();
        (form().*areas[i].clean)();
        EXPECT_EQ(difference(before, remaining_junk()), listed[i]) << areas[i].cell.Name();
    }
    expect_sentinels_intact();
}

INSTANTIATE_TEST_SUITE_P(ForceOptions, DrillDownAgreement, every_option_pair(), option_pair_name);
