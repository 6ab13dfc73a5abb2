// The clean's window-free rules: the path caption, the attribute policy, the report's end.
#include <gtest/gtest.h>
#include "engine/clean_rules.h"

using namespace pellmaris;

TEST(PathCaption, UpToFortyCharactersIsShownWhole)
{
    const std::string folder = "C:\\a_folder_name_of_twenty_\\";   // 28 characters
    EXPECT_EQ(shortened_caption(folder, "twelve_chars"), folder + "twelve_chars");   // 40
}

TEST(PathCaption, FortyOneCharactersCutOnlyNamesOfTwentyOrMore)
{
    // 41 characters: h = 20; a 20-character name is cut, a 19-character one is not.
    const std::string twenty = "abcdefghijklmnopqrst", nineteen = "abcdefghijklmnopqrs";
    EXPECT_EQ(shortened_caption("C:\\" + twenty + "\\", "01234567890123456"),
              "C:\\" + twenty + "..\\01234567890123456");
    EXPECT_EQ(shortened_caption("C:\\" + nineteen + "\\", "012345678901234567"),
              "C:\\" + nineteen + "\\012345678901234567");
}

TEST(PathCaption, LongPathWithShortNamesStaysWhole)
{
    std::string folder = "C:\\";
    while (folder.size() < 90)
        folder += "folder_name\\";
    const std::string file = std::string(100 - folder.size(), 'f');
    EXPECT_EQ(shortened_caption(folder, file), folder + file);
}

TEST(PathCaption, LongNamesAreCutToHalfTheLengthAndTheDriveStays)
{
    const std::string long_name(60, 'n');
    const std::string folder = "C:\\short\\" + long_name + "\\x\\";
    const std::string file = "file.tmp";
    const std::size_t h = (folder.size() + file.size()) / 2;
    EXPECT_EQ(shortened_caption(folder, file), "C:\\short\\" + long_name.substr(0, h) + "..\\x\\" + file);
    EXPECT_EQ(shortened_caption("", "C:\\" + long_name + "\\" + file), "C:\\" + long_name + "\\" + file);
}

TEST(AttributePolicy, FollowsTheForceOptionsClassByClass)
{
    struct Row {
        uint32_t attributes;
        bool none, read_only, hidden, both;   // force flags 0/0, 1/0, 0/1, 1/1
    };
    const Row rows[] = {
        {0, true, true, true, true},      {32, true, true, true, true},     {8224, true, true, true, true},
        {1, false, true, false, true},    {33, false, true, false, true},   {8225, false, true, false, true},
        {2, false, false, true, true},    {34, false, false, true, true},   {8226, false, false, true, true},
        {3, false, false, false, true},   {35, false, false, false, true},  {8227, false, false, false, true},
        {4, false, false, false, false},  {36, false, false, false, false}, {7, false, false, false, false},
        {8192, false, false, false, false}, {8193, false, false, false, false}, {256, false, false, false, false},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(may_make_normal(r.attributes, 0, 0), r.none) << r.attributes;
        EXPECT_EQ(may_make_normal(r.attributes, 1, 0), r.read_only) << r.attributes;
        EXPECT_EQ(may_make_normal(r.attributes, 0, 1), r.hidden) << r.attributes;
        EXPECT_EQ(may_make_normal(r.attributes, 1, 1), r.both) << r.attributes;
    }
    EXPECT_FALSE(may_make_normal(1, 2, 0));   // only 1 forces
}

TEST(TotalsLine, ShowsFilesAndScaledBytes)
{
    EXPECT_EQ(totals_line(0, 0), "Total Files Removed = 0    Releasing .00   Bytes of disk space");
    EXPECT_EQ(totals_line(3, 2560), "Total Files Removed = 3    Releasing 2.00   KBytes of disk space");
    EXPECT_EQ(totals_line(70000, 5'000'000'000LL), "Total Files Removed = 70000    Releasing 4768.00   MBytes of disk space");
}

TEST(FinishReport, FillsEmptyListsAndRemovesEveryBlankFromIndexThree)
{
    std::vector<std::string> report = {"FULL CLEAN UP COMPLETE", "totals", "", "", "",
                                       "GAMER CLEANING COMPLETE", "      List of files Deleted", "", "", "  ",
                                       "INTERNET CLEANING COMPLETE", "      List of files Deleted", "          a.tmp", "",
                                       "", "", "", "", "", "", "", "", "", "", "", "x", "      List of files Deleted"};
    finish_report(report, "      List of files Deleted", "         no files found to delete");
    const std::vector<std::string> expected = {"FULL CLEAN UP COMPLETE", "totals", "",
                                               "GAMER CLEANING COMPLETE", "      List of files Deleted",
                                               "         no files found to delete", "INTERNET CLEANING COMPLETE",
                                               "      List of files Deleted", "          a.tmp", "x",
                                               "      List of files Deleted"};
    EXPECT_EQ(report, expected);
}

TEST(FinishReport, MatchesTheHeaderExactly)
{
    std::vector<std::string> report = {"t", "", "", "GAMER", "List of files Deleted", "", "      List of files Deleted", ""};
    finish_report(report, "List of files Deleted", "     no files found to delete");
    const std::vector<std::string> expected = {"t", "", "", "GAMER", "List of files Deleted",
                                               "     no files found to delete", "      List of files Deleted"};
    EXPECT_EQ(report, expected);
}
