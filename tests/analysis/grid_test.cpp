// The analysis grid on a real tree: every caption, the columns' rules, and what it never counts.
#include <gtest/gtest.h>
#include "analysis/analysis_size_text.h"
#include "analysis_fixture.h"
#include "app/Program.h"

using namespace analysistest;
using pellmaris::Form7;

namespace {

class Grid : public AnalysisTest {
protected:
    std::vector<std::vector<std::string>> captions()
    {
        std::vector<std::vector<std::string>> rows(Form7::kRows);
        for (int r = 0; r < Form7::kRows; ++r)
            for (int c = 0; c < Form7::kColumns; ++c)
                rows[r].push_back(caption(r, c));
        return rows;
    }
};

} // namespace

TEST(AnalysisSizeText, BytesUpTo1024ThenKilobytesThenMegabytes)
{
    using pellmaris::analysis_size_text;
    EXPECT_EQ(analysis_size_text(0), "0 Bytes");
    EXPECT_EQ(analysis_size_text(1024), "1024 Bytes");
    EXPECT_EQ(analysis_size_text(1025), "1.0 KB");
    EXPECT_EQ(analysis_size_text(1536), "1.5 KB");
    EXPECT_EQ(analysis_size_text(1280), "1.3 KB");   // a half rounds up
    EXPECT_EQ(analysis_size_text(1048576), "1024.0 KB");
    EXPECT_EQ(analysis_size_text(1048577), "1.0 MB");
    EXPECT_EQ(analysis_size_text(5.0 * 1024 * 1024 * 1024), "5120.0 MB");
    EXPECT_EQ(analysis_size_text(-3000), "-3000 Bytes");
}

TEST_F(Grid, EveryCellOfATreeWithEachClassInEachColumn)
{
    set_areas(cleantest::area_file("1111111111111", "1000"));
    build_tree();
    start();
    analyse();

    // Gamer and Temp walk plain folders only: their dot-named (hidden) sub-folders are not
    // counted; the Internet column walks them. Wine reports no folder read-only, so the
    // read-only sub-folders are walked by all. System files and the link's target never count.
    const std::vector<std::vector<std::string>> expected = {
        {"483 Bytes", "1.7 KB", "1.6 KB", "1.8 KB", "5.6 KB"},
        {"695 Bytes", "2.7 KB", "2.4 KB", "4.2 KB", "10.0 KB"},
        {"102 Bytes", "504 Bytes", "402 Bytes", "602 Bytes", "1.6 KB"},
        {"104 Bytes", "508 Bytes", "404 Bytes", "604 Bytes", "1.6 KB"},
        {"108 Bytes", "516 Bytes", "408 Bytes", "608 Bytes", "1.6 KB"},
    };
    EXPECT_EQ(captions(), expected);
    EXPECT_EQ(value(1, Form7::kGamer), 695);
    EXPECT_EQ(value(0, Form7::kInternet), 1718);
    EXPECT_EQ(value(0, Form7::kTemp), 1683);
    EXPECT_EQ(value(0, Form7::kUser), 1849);
    for (int r = 0; r < Form7::kRows; ++r)
        EXPECT_EQ(value(r, Form7::kFull),
                  value(r, Form7::kGamer) + value(r, Form7::kInternet) + value(r, Form7::kTemp) + value(r, Form7::kUser));
    EXPECT_TRUE(analysis().Label11.Visible());
    EXPECT_TRUE(analysis().cell(0, Form7::kUser).Visible());
    EXPECT_EQ(analysis().ProgressBar1.Value(), 10);
    EXPECT_EQ(analysis().Height(), 7155);
    expect_sentinels_intact();
    EXPECT_FALSE(results().is_loaded());   // the run fills no window's lists
    EXPECT_EQ(app->Form4.List4.ListCount(), 0);   // nor the engine's
}

TEST_F(Grid, WithoutUserLocationsTheUserColumnStaysHiddenAndFullSumsTheOthers)
{
    build_tree();
    DeleteFileA(in_program("PMuser.lst").c_str());
    start();
    analyse();
    EXPECT_FALSE(analysis().Label11.Visible());
    for (int r = 0; r < Form7::kRows; ++r) {
        EXPECT_FALSE(analysis().cell(r, Form7::kUser).Visible());
        EXPECT_EQ(value(r, Form7::kUser), 0);
        EXPECT_EQ(value(r, Form7::kFull), value(r, Form7::kGamer) + value(r, Form7::kInternet) + value(r, Form7::kTemp));
    }
    EXPECT_EQ(caption(1, Form7::kFull), "5.8 KB");   // 695 + 2742 + 2495

    // An empty list: the column shows, with nothing in it and a location bar of no steps.
    put(in_program("PMuser.lst"), "");
    analysis().Unload();
    analyse();
    EXPECT_TRUE(analysis().cell(0, Form7::kUser).Visible());
    EXPECT_EQ(caption(1, Form7::kUser), "0 Bytes");
    EXPECT_EQ(caption(1, Form7::kFull), "5.8 KB");
}

TEST_F(Grid, RowZeroFollowsTheSavedAreas)
{
    build_tree();
    // Twelve flags (no user row): user column counted but not selected; Internet with its
    // cookies only; Gamer's header without its item; Temp selected.
    set_areas("[LIST1]\r\n 1  0  1  0  1  0  0  0  0  1  1  0 \r\n[LIST2]\r\n 1  1  0  0 ");
    start();
    analyse();
    EXPECT_EQ(value(0, Form7::kGamer), 0);
    EXPECT_EQ(value(0, Form7::kInternet), 1215);   // the cookies alone: 301 + 302 + 304 + 308
    EXPECT_EQ(value(0, Form7::kTemp), 2495);
    EXPECT_TRUE(analysis().Label11.Visible());
    EXPECT_EQ(caption(0, Form7::kUser), "0 Bytes");
    EXPECT_EQ(value(1, Form7::kUser), 4327);

    // The Internet files alone: every class of the cache, none of the cookies.
    analysis().Unload();
    set_areas("[LIST1]\r\n 1  0  1  1  0  0  0  0  0  1  1  0 \r\n[LIST2]\r\n 1  1  0  0 ");
    analyse();
    EXPECT_EQ(value(0, Form7::kInternet), 1527);
}

TEST_F(Grid, WithoutAreaOptionsRowZeroIsEmptyAndTheRestCounted)
{
    build_tree();
    DeleteFileA(in_program("pmdb.lst").c_str());
    start();
    analyse();
    for (int c = 0; c < Form7::kColumns; ++c)
        EXPECT_EQ(caption(0, c), "0 Bytes") << c;
    EXPECT_EQ(value(1, Form7::kTemp), 2495);
    EXPECT_EQ(value(1, Form7::kUser), 4327);
}

TEST_F(Grid, AFileReachedThroughTwoLocationsOfAColumnCountsOnce)
{
    const std::string outer = p("Cache\\"), inner = p("Cache\\inner\\");
    file(outer + "a.bin", 10);
    file(inner + "b.bin", 20);
    file(inner + "c.bin", 40, FILE_ATTRIBUTE_READONLY);
    set_areas(cleantest::area_file("1111111111101", "1100"));
    put(in_program("PMuser.lst"), "D " + inner + "\r\nD " + outer + "\r\nF " + inner + "b.bin\r\n");
    start_with_locations({"[TEMP]", "U \\Cache\\", "U \\Cache\\inner\\", "U \\cache\\INNER\\", ""});
    analyse();
    EXPECT_EQ(value(1, Form7::kTemp), 70);
    EXPECT_EQ(value(2, Form7::kTemp), 40);
    EXPECT_EQ(value(1, Form7::kUser), 70);
    EXPECT_EQ(value(0, Form7::kUser), 30);   // a user folder's clean takes plain files only

    form().Picture8_Click();
    EXPECT_EQ(vanished_bytes(), value(0, Form7::kTemp));
}

TEST_F(Grid, LargeFilesAndSumsPastTwoGigabytes)
{
    // Sparse files: lengths past 32 bits without the disk space.
    testsupport::make_dirs(temp());
    for (const auto& [name, length] : std::vector<std::pair<std::string, int64_t>>{
             {"big.tmp", 3LL << 30}, {"bigger.tmp", (2LL << 30) + 512}}) {
        HANDLE h = CreateFileA((temp() + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        ASSERT_NE(h, INVALID_HANDLE_VALUE);
        LARGE_INTEGER at;
        at.QuadPart = length;
        ASSERT_TRUE(SetFilePointerEx(h, at, nullptr, FILE_BEGIN));
        ASSERT_TRUE(SetEndOfFile(h));
        CloseHandle(h);
    }
    start();
    analyse();
    EXPECT_EQ(value(1, Form7::kTemp), (5LL << 30) + 512);
    EXPECT_EQ(caption(1, Form7::kTemp), "5120.0 MB");
    EXPECT_EQ(caption(1, Form7::kFull), "5120.0 MB");
}

TEST_F(Grid, WhatTheCleanRefusesCountsNothing)
{
    // The program folder as a location, a user folder entry for it, and a file entry for
    // one of its files; a user folder named without its "\" is its own folder.
    file(in_program("junk.tmp"), 10);
    file(user_dir() + "plain.u", 601);
    file(dir / "userdirab\\sibling.u", 700);
    put(in_program("PMuser.lst"), "D " + program + "\r\nF " + in_program("settings.ini") + "\r\nD "
                                      + user_dir().substr(0, user_dir().size() - 1) + "\r\n");
    set_areas(cleantest::area_file("1111111111101", "1100"));
    start_with_locations({"[TEMP]", program + "\\", ""});
    analyse();
    EXPECT_EQ(value(1, Form7::kTemp), 0);
    EXPECT_EQ(value(1, Form7::kUser), 601);

    form().Picture8_Click();
    EXPECT_EQ(vanished_bytes(), 0);
    form().clean_userfiles();
    EXPECT_EQ(vanished_bytes(), 601);
}

TEST_F(Grid, AFileThatTwoColumnsReachCountsOnceInEveryRowOfTheFullColumn)
{
    constexpr DWORD ro = FILE_ATTRIBUTE_READONLY, hid = FILE_ATTRIBUTE_HIDDEN;
    file(temp() + "plain.tmp", 1000);
    file(temp() + "ro.tmp", 2000, ro);
    file(temp() + "hid.tmp", 4000, hid);
    file(temp() + "hro.tmp", 8000, ro | hid);
    file(user_dir() + "own.u", 16000);   // the User column's alone
    // The temporary folder is also a user folder, and one of its files a user file entry.
    put(in_program("PMuser.lst"), "D " + temp() + "\r\nD " + user_dir() + "\r\nF " + temp() + "hro.tmp\r\n");
    set_areas(cleantest::area_file("1111111111101", "1100"));
    start();
    analyse();
    EXPECT_EQ(value(1, Form7::kTemp), 15000);
    EXPECT_EQ(value(1, Form7::kUser), 31000);
    // The files on the disk, each once: 31000 bytes, of which read-only 2000, hidden 4000,
    // hidden read-only 8000.
    EXPECT_EQ(value(1, Form7::kFull), 31000);
    EXPECT_EQ(value(2, Form7::kFull), 2000);
    EXPECT_EQ(value(3, Form7::kFull), 4000);
    EXPECT_EQ(value(4, Form7::kFull), 8000);
    EXPECT_EQ(caption(1, Form7::kFull), "30.3 KB");
}
