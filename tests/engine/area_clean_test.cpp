// The GAMER, INTERNET and TEMP cleans end to end on a scratch profile and home drive.
#include <gtest/gtest.h>
#include "clean_fixture.h"

using namespace cleantest;

namespace {

class AreaClean : public CleanTest {
protected:
    std::string p(const std::string& rel) const { return profile + "\\" + rel; }
    std::string h(const std::string& rel) const { return home + "\\" + rel; }
    const std::string gamer = p("AppData\\Local\\NVIDIA\\DXCache\\");
    const std::string cache = p("AppData\\Local\\Microsoft\\Windows\\INetCache\\");
    const std::string cookies = p("AppData\\Local\\Microsoft\\Windows\\INetCookies\\");
    const std::string temp = p("AppData\\Local\\Temp\\");

    void expect_report_shown()
    {
        EXPECT_TRUE(app->Form2.Visible());
        EXPECT_FALSE(form().Visible());
        EXPECT_EQ(form().Height(), 6075);
        EXPECT_FALSE(exists(in_program("date.lst")));
        EXPECT_TRUE(fakes.dialogs->prompts.empty());
    }

    // The report list and work lists as a clean found them, to see that a gate leaves them.
    void fill_lists()
    {
        app->Form2.List1.AddItem("earlier report");
        app->Form4.List3.AddItem("earlier exception");
        form().Show();
        form().Height(6075);
    }

    void expect_lists_untouched()
    {
        EXPECT_EQ(report(), std::vector<std::string>{"earlier report"});
        EXPECT_EQ(app->Form4.List3.items(), std::vector<std::string>{"earlier exception"});
        EXPECT_EQ(form().Height(), 6075);
        EXPECT_FALSE(app->Form2.Visible());
    }
};

const char* const kNotSelected = "This Area has not been selected to clean. Select this area in the Advanced Section";
const char* const kMissing = "The file containing area's to be cleaned is missing\nPlease select [ADVANCED] button";

} // namespace

TEST_F(AreaClean, GamerCleansPlainFoldersOnlyWhateverTheGamerHeader)
{
    set_areas(area_file("010000000000", "1100"));
    junk(gamer + "g1.bin", 100);
    set_attributes(junk(gamer + "g2.bin", 28), FILE_ATTRIBUTE_HIDDEN);
    junk(gamer + "hidden\\stay.bin");
    set_attributes(gamer + "hidden", FILE_ATTRIBUTE_HIDDEN);
    put(p("AppData\\Local\\NVIDIA\\keep.txt"), "keep");
    start();
    form().deep_scan = 1;
    form().Show();
    form().Picture4_Click();
    EXPECT_EQ(comparable(report()), (std::vector<std::string>{
                                        "GAMER CLEANING COMPLETE",
                                        "Total Files Removed = 2    Releasing 128.00   Bytes of disk space", "",
                                        "List of files Deleted", "          g1.bin", "          g2.bin"}));
    EXPECT_TRUE(exists(gamer + "hidden\\stay.bin"));
    EXPECT_EQ(testsupport::read_bytes(p("AppData\\Local\\NVIDIA\\keep.txt")), "keep");
    EXPECT_EQ(form().deep_scan, 0);
    EXPECT_EQ(form().force_read_only, 1);
    expect_report_shown();
}

TEST_F(AreaClean, InternetClearsHistoryFirstAndCountsBothSections)
{
    set_areas(area_file("0011111110000", "0000"));
    junk(cache + "IE\\i1.dat", 300);
    junk(cache + "Low\\i2.dat", 40);
    set_attributes(cache + "Low", FILE_ATTRIBUTE_HIDDEN);
    junk(cookies + "c1.txt", 20);
    start();
    int history_calls_at_first_deletion = -1;
    app->sys.yield_hook = [&] {
        if (history_calls_at_first_deletion < 0)
            history_calls_at_first_deletion = fakes.url_history->calls;
    };
    form().Picture6_Click();
    EXPECT_EQ(comparable(report()), (std::vector<std::string>{
                                        "INTERNET CLEANING COMPLETE",
                                        "Total Files Removed = 3    Releasing 360.00   Bytes of disk space", "",
                                        "BROWSER HISTORY DELETED", "List of files Deleted", "          i1.dat",
                                        "          i2.dat", "List of files Deleted", "          c1.txt"}));
    EXPECT_EQ(history_calls_at_first_deletion, 1);
    EXPECT_EQ(form().deep_scan, 1);
    ASSERT_EQ(fakes.processes->started.size(), 3u);
    EXPECT_EQ(fakes.processes->started[0].command, "RunDll32.exe InetCpl.cpl,ClearMyTracksByProcess 16");
    EXPECT_EQ(fakes.processes->started[1].command, "RunDll32.exe InetCpl.cpl,ClearMyTracksByProcess 32");
    EXPECT_EQ(fakes.processes->started[2].command, "RunDll32.exe InetCpl.cpl,ClearMyTracksByProcess 4351");
    expect_report_shown();
}

TEST_F(AreaClean, InternetAddOnsAloneKeepsTheTotalsAtIndexOne)
{
    set_areas(area_file("0010000010000", "0000"));
    start();
    form().Picture6_Click();
    EXPECT_EQ(report(), (std::vector<std::string>{"INTERNET CLEANING COMPLETE",
                                                  "Total Files Removed = 0    Releasing .00   Bytes of disk space", ""}));
    ASSERT_EQ(fakes.processes->started.size(), 1u);
    EXPECT_EQ(fakes.processes->started[0].command, "RunDll32.exe InetCpl.cpl,ClearMyTracksByProcess 4351");
    EXPECT_EQ(fakes.url_history->calls, 0);
}

TEST_F(AreaClean, TempCleansTemporaryAndLogFiles)
{
    set_areas(area_file("000000000111", "0000"));
    junk(temp + "t1.tmp", 1000);
    junk(temp + "sub\\t2.tmp", 1000);
    junk(h("Windows\\Temp\\w1.tmp"), 100);
    junk(h("Windows\\setupact.log"), 10);
    put(h("Windows\\keep.log"), "keep");
    start();
    form().Picture8_Click();
    EXPECT_EQ(comparable(report()),
              (std::vector<std::string>{"TEMPORARY CLEANING COMPLETE",
                                        "Total Files Removed = 4    Releasing 2.00   KBytes of disk space", "",
                                        "List of files Deleted", "          t1.tmp", "          t2.tmp", "          w1.tmp",
                                        "LOG FILES CLEANING COMPLETE", "          " + h("Windows\\setupact.log")}));
    EXPECT_FALSE(exists(temp + "sub"));
    EXPECT_TRUE(exists(temp));
    EXPECT_EQ(testsupport::read_bytes(h("Windows\\keep.log")), "keep");
    expect_report_shown();
    // The work lists show the last location walked and its last folder's files.
    EXPECT_EQ(app->Form4.List4.items(), std::vector<std::string>{h("Windows\\Temp\\")});
    EXPECT_EQ(app->Form4.List1.items(), std::vector<std::string>{"w1.tmp"});
    EXPECT_EQ(app->Form4.List2.items(), std::vector<std::string>{"100"});
    EXPECT_EQ(form().walk_root, h("Windows\\Temp\\"));
}

TEST_F(AreaClean, TempLogsAloneKeepTheTotalsAtIndexOne)
{
    set_areas(area_file("000000000101", "0000"));
    junk(temp + "t1.tmp");
    junk(h("Windows\\setupact.log"), 10);
    start();
    form().Picture8_Click();
    EXPECT_EQ(report(), (std::vector<std::string>{"TEMPORARY CLEANING COMPLETE",
                                                  "Total Files Removed = 1    Releasing 10.00   Bytes of disk space", "",
                                                  "LOG FILES CLEANING COMPLETE",
                                                  "          " + h("Windows\\setupact.log")}));
    EXPECT_TRUE(exists(temp + "t1.tmp"));
}

TEST_F(AreaClean, LocationsThatHoldNothingSayNoFilesFound)
{
    set_areas(area_file("000000000110", "0000"));
    testsupport::make_dirs(temp + "empty_sub");
    start();
    form().Picture8_Click();
    EXPECT_EQ(report(), (std::vector<std::string>{"TEMPORARY CLEANING COMPLETE",
                                                  "Total Files Removed = 0    Releasing .00   Bytes of disk space", "",
                                                  "List of files Deleted", "     no files found to delete"}));
    EXPECT_FALSE(exists(temp + "empty_sub"));
}

TEST_F(AreaClean, GateValueZeroShowsTheMessageAndChangesNothing)
{
    set_areas(area_file("101111111011", "0000"));
    junk(gamer + "g1.bin");
    start();
    fill_lists();
    form().Picture4_Click();
    ASSERT_EQ(fakes.dialogs->prompts.size(), 1u);
    EXPECT_EQ(fakes.dialogs->prompts[0].text, kNotSelected);
    EXPECT_EQ(fakes.dialogs->prompts[0].style, rt::vbInformation);
    EXPECT_EQ(fakes.dialogs->prompts[0].title, "Pellmaris");
    expect_lists_untouched();
    EXPECT_TRUE(exists(gamer + "g1.bin"));
    form().Picture8_Click();
    EXPECT_EQ(prompts_starting("This Area has not been selected"), 2);
}

TEST_F(AreaClean, AreaFileWithoutListOneMeansNotSelected)
{
    set_areas("[LIST2]\r\n 0  0  0  0 ");
    start();
    fill_lists();
    form().Picture6_Click();
    EXPECT_EQ(prompts_starting(kNotSelected), 1);
    expect_lists_untouched();
}

TEST_F(AreaClean, MissingOrShortAreaFileShowsTheMissingMessage)
{
    testsupport::remove_tree(in_program("pmdb.lst"));
    start();
    fill_lists();
    form().Picture4_Click();
    EXPECT_EQ(prompts_starting(kMissing), 1);
    expect_lists_untouched();

    set_areas("[LIST1]\r\n 1  1  1 \r\n[LIST2]\r\n 0  0  0  0 ");   // ends before the TEMP gate
    form().Picture8_Click();
    EXPECT_EQ(prompts_starting(kMissing), 2);
    expect_lists_untouched();
}

TEST_F(AreaClean, NextCleanAfterTheReportWasClosedHoldsOnlyItsOwnLines)
{
    set_areas(area_file("010000000110", "0000"));
    junk(gamer + "g1.bin");
    junk(temp + "t1.tmp");
    start();
    form().Picture4_Click();
    app->Form2.Unload();
    EXPECT_TRUE(form().Visible());   // closing the report shows the main window
    form().Picture8_Click();
    EXPECT_EQ(report()[0], "TEMPORARY CLEANING COMPLETE");
    EXPECT_EQ(report_count("          g1.bin"), 0);
    EXPECT_EQ(report()[1], "Total Files Removed = 1    Releasing 10.00   Bytes of disk space");
}
