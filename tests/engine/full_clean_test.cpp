// The full clean end to end: real junk in the shipped locations of a scratch profile and
// home drive, sentinels that must survive, the report, date.lst, captions and windows.
#include <gtest/gtest.h>
#include <map>
#include "clean_fixture.h"
#include "common/last_clean.h"
#include "runtime/filesys.h"

using namespace cleantest;

namespace {

class FullClean : public CleanTest {
protected:
    std::vector<std::string> survivors;   // junk the options or the platform keep
    HANDLE locked = INVALID_HANDLE_VALUE;

    std::string p(const std::string& rel) const { return profile + "\\" + rel; }
    std::string h(const std::string& rel) const { return home + "\\" + rel; }

    ~FullClean() override
    {
        if (locked != INVALID_HANDLE_VALUE)
            CloseHandle(locked);
    }

    void survivor(const std::string& path, DWORD attributes_to_set = 0)
    {
        junk(path);
        if (attributes_to_set)
            set_attributes(path, attributes_to_set);
        survivors.push_back(path);
    }

    // Junk in the first location of every section, sentinels beside them, a link to a
    // folder outside, a locked file and user entries.
    void build_world()
    {
        const std::string gamer = p("AppData\\Local\\NVIDIA\\DXCache\\");
        junk(gamer + "g1.bin", 100);
        junk(gamer + "sub\\g2.bin", 200);
        set_attributes(junk(gamer + "ro.bin", 50), FILE_ATTRIBUTE_READONLY);
        set_attributes(junk(gamer + "hid.bin", 60), FILE_ATTRIBUTE_HIDDEN);
        survivor(gamer + "sys.bin", FILE_ATTRIBUTE_SYSTEM);
        testsupport::make_dirs(p("AppData\\Local\\NVIDIA\\GLCache"));   // exists, holds nothing
        sentinel(p("AppData\\Local\\NVIDIA\\keep.txt"));

        const std::string cache = p("AppData\\Local\\Microsoft\\Windows\\INetCache\\");
        junk(cache + "IE\\i1.dat", 300);
        junk(cache + "Low\\i2.dat", 40);
        set_attributes(cache + "Low", FILE_ATTRIBUTE_HIDDEN);   // walked: deep passes for [INTERNET]
        sentinel(dir / "outside\\keep.txt");
        sentinel(dir / "outside\\sub\\keep2.txt");
        make_host_link(cache + "linked", dir / "outside");
        junk(p("AppData\\Local\\Microsoft\\Windows\\INetCookies\\c1.txt"), 20);
        sentinel(p("AppData\\Local\\Microsoft\\Windows\\keep.txt"));

        const std::string temp = p("AppData\\Local\\Temp\\");
        junk(temp + "t1.tmp", 30);
        junk(temp + "nested\\deeper\\t2.tmp", 40);
        survivor(temp + "hidsub\\t3.tmp");
        set_attributes(temp + "hidsub", FILE_ATTRIBUTE_HIDDEN);   // not walked: [TEMP] walks plain folders
        survivor(temp + "locked.tmp");
        locked = CreateFileA((temp + "locked.tmp").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(locked, INVALID_HANDLE_VALUE);
        junk(h("Windows\\Temp\\w1.tmp"), 25);
        sentinel(p("AppData\\Local\\keep.txt"));
        sentinel(h("Windows\\keep.txt"));

        junk(h("Windows\\setupact.log"), 15);
        survivor(h("Windows\\setuperr.log"), FILE_ATTRIBUTE_READONLY);   // logs are taken only as plain files

        junk(dir / "userdir\\u1.txt", 11);
        junk(dir / "userdir\\sub\\u2.txt", 12);
        junk(dir / "files\\userfile.txt", 13);
        sentinel(dir / "keep_user.txt");
        sentinel(in_program("sentinel.txt"));
        // The program folder is refused as a user location: its line is written, nothing is deleted.
        put(in_program("PMuser.lst"),
            "D " + dir / "userdir\\" + "\r\nF " + dir / "files\\userfile.txt" + "\r\nD " + program + "\\\r\n");
    }

    std::vector<std::string> expected_report(const std::string& totals) const
    {
        return {"FULL CLEAN UP COMPLETE", totals, "",
                "GAMER CLEANING COMPLETE", "      List of files Deleted",
                "          g1.bin", "          g2.bin", "          hid.bin", "          ro.bin",
                "INTERNET CLEANING COMPLETE",
                "  TEMPORARY INTERNET FILES CLEANING COMPLETE", "      List of files Deleted",
                "          i1.dat", "          i2.dat",
                "  COOKIES CLEANING COMPLETE", "      List of files Deleted", "          c1.txt",
                "  BROWSER HISTORY DELETED", "  FORM DATA DELETED", "  PASSWORDS CLEANING COMPLETE",
                "  ADD-ONS CLEANING COMPLETE",
                "TEMPORARY CLEANING COMPLETE",
                "  TEMPORARY FILES CLEANING COMPLETE", "      List of files Deleted",
                "          t1.tmp", "          t2.tmp", "          w1.tmp",
                "  LOG FILES CLEANING COMPLETE", "          " + h("Windows\\setupact.log"),
                "  USER LOCATIONS CLEANING COMPLETE", "      List of files Deleted",
                "          Location = " + dir / "userdir\\", "          u1.txt", "          u2.txt",
                "          Location = " + dir / "files\\userfile.txt", "          " + dir / "files\\userfile.txt",
                "          Location = " + program + "\\"};
    }

    void expect_sentinels_intact()
    {
        for (const auto& [path, content] : sentinels)
            EXPECT_EQ(testsupport::read_bytes(path), content) << path;
        for (const auto& path : survivors)
            EXPECT_TRUE(exists(path)) << path;
    }
};

} // namespace

TEST_F(FullClean, CleansEverySelectedAreaAndNothingElse)
{
    build_world();
    start();
    form().Show();
    form().Picture2_Click();

    const std::string totals = "Total Files Removed = 14    Releasing 916.00   Bytes of disk space";
    EXPECT_EQ(comparable(report()), expected_report(totals));
    expect_sentinels_intact();
    for (const char* gone : {"AppData\\Local\\NVIDIA\\DXCache\\sub", "AppData\\Local\\Microsoft\\Windows\\INetCache\\IE",
                             "AppData\\Local\\Microsoft\\Windows\\INetCache\\Low", "AppData\\Local\\Temp\\nested"})
        EXPECT_FALSE(exists(p(gone))) << gone;
    EXPECT_FALSE(exists(dir / "userdir\\sub"));
    EXPECT_TRUE(exists(dir / "userdir"));   // a location itself stays
    EXPECT_TRUE(exists(p("AppData\\Local\\Microsoft\\Windows\\INetCache\\linked")));
    EXPECT_TRUE(exists(p("AppData\\Local\\Temp\\hidsub")));
    EXPECT_NE(std::find(app->Form4.List3.items().begin(), app->Form4.List3.items().end(),
                        p("AppData\\Local\\Temp\\locked.tmp")),
              app->Form4.List3.items().end());

    // The record of the clean and the captions that show it.
    const auto record = pellmaris::make_last_clean(fakes.clock->time, 14, 916);
    EXPECT_EQ(testsupport::read_bytes(in_program("date.lst")),
              record.date + "\r\n" + record.time + "\r\n14\r\n916.00   Bytes\r\n");
    EXPECT_EQ(form().Label7.Caption(), "Last Full Clean Done On " + record.date + " at " + record.time);
    EXPECT_EQ(form().Label8.Caption(), "Last Full Clean Results 14 Files Removed");
    EXPECT_EQ(form().Label10.Caption(), "Space Freed Last Clean 916.00   Bytes");

    EXPECT_TRUE(app->Form2.Visible());
    EXPECT_FALSE(form().Visible());
    EXPECT_EQ(form().Height(), 6075);
    EXPECT_EQ(app->Form2.List2.ListCount(), 0);
    EXPECT_EQ(fakes.url_history->calls, 1);
    ASSERT_EQ(fakes.processes->started.size(), 3u);
    EXPECT_EQ(fakes.processes->started[0].command, "RunDll32.exe InetCpl.cpl,ClearMyTracksByProcess 16");
    EXPECT_EQ(fakes.processes->started[1].command, "RunDll32.exe InetCpl.cpl,ClearMyTracksByProcess 32");
    EXPECT_EQ(fakes.processes->started[2].command, "RunDll32.exe InetCpl.cpl,ClearMyTracksByProcess 4351");
    for (const auto& s : fakes.processes->started)
        EXPECT_EQ(s.style, rt::vbHide);
    EXPECT_TRUE(fakes.dialogs->prompts.empty());
    EXPECT_FALSE(exists(in_program("PMerror.log")));
}

TEST_F(FullClean, WithoutForceOptionsHiddenAndReadOnlyJunkStays)
{
    build_world();
    set_areas(all_areas(0, 0));
    survivors.push_back(p("AppData\\Local\\NVIDIA\\DXCache\\ro.bin"));
    survivors.push_back(p("AppData\\Local\\NVIDIA\\DXCache\\hid.bin"));
    start();
    form().Picture2_Click();
    expect_sentinels_intact();
    EXPECT_EQ(report()[1], "Total Files Removed = 12    Releasing 806.00   Bytes of disk space");
    EXPECT_FALSE(exists(p("AppData\\Local\\NVIDIA\\DXCache\\g1.bin")));
}

TEST_F(FullClean, NotSelectedAreasWriteTheirLinesAndCleanNothing)
{
    build_world();
    set_areas(area_file("0101111110110", "1100"));
    survivors.push_back(p("AppData\\Local\\NVIDIA\\DXCache\\g1.bin"));
    survivors.push_back(p("AppData\\Local\\Microsoft\\Windows\\INetCache\\IE\\i1.dat"));
    survivors.push_back(p("AppData\\Local\\Temp\\t1.tmp"));
    survivors.push_back(dir / "userdir\\u1.txt");
    start();
    form().Picture2_Click();
    expect_sentinels_intact();
    const std::vector<std::string> expected = {
        "FULL CLEAN UP COMPLETE", "Total Files Removed = 0    Releasing .00   Bytes of disk space", "",
        "GAMER CLEANING NOT SELECTED IN ADVANCED OPTIONS", "      NO GAMER FILES DELETED",
        "INTERNET CLEANING NOT SELECTED IN ADVANCED OPTIONS", "      NO TEMPORARY INTERNET FILES DELETED",
        "      NO COOKIES DELETED", "      NO BROWSER HISTORY FILES DELETED", "      NO FORM DATA DELETED",
        "      NO PASSWORDS DELETED", "      NO ADD-ONS INFORMATION DELETED",
        "TEMPORARY FILES CLEANING NOT SELECTED IN ADVANCED OPTIONS", "      NO TEMPORARY FILES DELETED",
        "USER LOCATIONS CLEANING NOT SELECTED IN ADVANCED OPTIONS", "      NO USER LOCATIONS FILES DELETED"};
    EXPECT_EQ(report(), expected);
    EXPECT_EQ(fakes.url_history->calls, 0);
    EXPECT_TRUE(fakes.processes->started.empty());
}

TEST_F(FullClean, SubAreasNotSelectedAndEmptyLocations)
{
    // GAMER header without its item, INTERNET without files and add-ons, TEMP without logs;
    // twelve values: no user-locations line at all. The locations exist but hold nothing.
    set_areas(area_file("101011111110", "0000"));
    testsupport::make_dirs(p("AppData\\Local\\Microsoft\\Windows\\INetCookies"));
    testsupport::make_dirs(p("AppData\\Local\\Temp"));
    start();
    fakes.url_history->result = false;
    form().Picture2_Click();
    const std::vector<std::string> expected = {
        "FULL CLEAN UP COMPLETE", "Total Files Removed = 0    Releasing .00   Bytes of disk space", "",
        "INTERNET CLEANING COMPLETE",
        "  TEMPORARY INTERNET CLEANING NOT SELECTED IN ADVANCED OPTIONS", "      NO TEMPORARY INTERNET FILES DELETED",
        "  COOKIES CLEANING COMPLETE", "      List of files Deleted", "         no files found to delete",
        "  FORM DATA DELETED", "  PASSWORDS CLEANING COMPLETE",
        "TEMPORARY CLEANING COMPLETE",
        "  TEMPORARY FILES CLEANING COMPLETE", "      List of files Deleted", "         no files found to delete",
        "  LOG FILES CLEANING NOT SELECTED IN ADVANCED OPTIONS", "      NO LOG FILES DELETED"};
    EXPECT_EQ(report(), expected);
    EXPECT_EQ(fakes.url_history->calls, 1);
    EXPECT_EQ(fakes.processes->started.size(), 2u);
}

TEST_F(FullClean, ClearTracksCommandThatCannotStartIsPassedOver)
{
    set_areas(area_file("0011111110000", "0000"));
    start();
    fakes.processes->fail = true;
    form().Picture2_Click();
    EXPECT_TRUE(fakes.dialogs->prompts.empty());
    EXPECT_EQ(report()[0], "FULL CLEAN UP COMPLETE");
    EXPECT_EQ(report_count("  ADD-ONS CLEANING COMPLETE"), 1);
    EXPECT_TRUE(exists(in_program("date.lst")));
    EXPECT_TRUE(app->Form2.Visible());
}

TEST_F(FullClean, MissingAreaFileShowsTheMessageAndChangesNothing)
{
    build_world();
    testsupport::remove_tree(in_program("pmdb.lst"));
    survivors.push_back(p("AppData\\Local\\Temp\\t1.tmp"));
    start();
    app->Form2.List1.AddItem("earlier report");
    form().Show();
    form().Picture2_Click();
    ASSERT_EQ(fakes.dialogs->prompts.size(), 1u);
    EXPECT_EQ(fakes.dialogs->prompts[0].text,
              "The file containing area's to be cleaned is missing\nPlease select [ADVANCED] button");
    EXPECT_EQ(fakes.dialogs->prompts[0].style, rt::vbInformation);
    EXPECT_EQ(fakes.dialogs->prompts[0].title, "Pellmaris");
    EXPECT_EQ(report(), std::vector<std::string>{"earlier report"});
    EXPECT_FALSE(exists(in_program("date.lst")));
    EXPECT_EQ(form().Height(), 6975);
    EXPECT_TRUE(form().Visible());
    EXPECT_FALSE(app->Form2.Visible());
    expect_sentinels_intact();
}

TEST_F(FullClean, EmptyProfileAndHomeDriveCleanNothing)
{
    // Relative to the current folder the entries would name these files.
    const std::string current = dir / "current";
    sentinel(current + "\\AppData\\Local\\Temp\\keep.tmp");
    sentinel(current + "\\Windows\\Temp\\keep.tmp");
    sentinel(current + "\\Windows\\setupact.log");
    sentinel(in_program("AppData\\Local\\Temp\\keep.tmp"));
    set_environment("", "");
    set_areas(all_areas(1, 1));
    ASSERT_TRUE(SetCurrentDirectoryA(current.c_str()));
    start();
    EXPECT_EQ(form().user_profile, "");
    EXPECT_EQ(form().home_drive, "");
    form().Picture2_Click();
    SetCurrentDirectoryA(dir.path().c_str());
    expect_sentinels_intact();
    EXPECT_EQ(report()[1], "Total Files Removed = 0    Releasing .00   Bytes of disk space");
}

TEST_F(FullClean, HiddenResultsShowNoWindow)
{
    set_areas(area_file("0000000000000", "0000"));
    set_setting(11, "1");
    start();
    form().Show();
    form().Picture2_Click();
    EXPECT_FALSE(app->Form2.Visible());
    EXPECT_TRUE(form().Visible());
    EXPECT_EQ(form().Height(), 6075);
    EXPECT_EQ(report()[0], "FULL CLEAN UP COMPLETE");
    EXPECT_TRUE(exists(in_program("date.lst")));
}

TEST_F(FullClean, ScheduledRunShowsTheResultWindowThatClosesItself)
{
    set_areas(area_file("0000000000000", "0000"));
    junk(in_program("date.lst"));
    start();
    form().Show();
    const long height = form().Height();
    form().scheduled_run = 1;
    form().Picture2_Click();
    form().scheduled_run = 0;
    EXPECT_EQ(form().Height(), height);
    EXPECT_TRUE(form().Visible());
    EXPECT_FALSE(app->Form2.Visible());
    ASSERT_TRUE(app->Form9.is_loaded());
    EXPECT_TRUE(app->Form9.Visible());
    EXPECT_EQ(app->Form9.Label1.Caption(), "0 Files Removed");
    EXPECT_EQ(app->Form9.Label2.Caption(), ".00   Bytes Space Freed");
    const DWORD end = GetTickCount() + 12000;
    while (app->Form9.is_loaded() && GetTickCount() < end) {
        app->sys.DoEvents();
        Sleep(20);
    }
    EXPECT_FALSE(app->Form9.is_loaded());
}

TEST_F(FullClean, ShutdownOfferAnsweredNo)
{
    set_areas(area_file("0000000000000", "0000"));
    set_setting(1, "1");
    start();
    fakes.dialogs->answers = {rt::vbNo};
    bool timer_on_while_asked = false;
    fakes.dialogs->while_open = [&] { timer_on_while_asked = form().Timer4.Enabled(); };
    form().Picture2_Click();
    ASSERT_EQ(fakes.dialogs->prompts.size(), 1u);
    EXPECT_EQ(fakes.dialogs->prompts[0].text, "Are You Sure You Want To Shutdown Windows? Auto Shutdown In 1minute");
    EXPECT_EQ(fakes.dialogs->prompts[0].style, rt::vbYesNo);
    EXPECT_EQ(fakes.dialogs->prompts[0].title, "Pellmaris");
    EXPECT_TRUE(timer_on_while_asked);
    EXPECT_FALSE(form().Timer4.Enabled());
    EXPECT_TRUE(fakes.processes->started.empty());
    EXPECT_EQ(fakes.program_end->calls, 0);
}

TEST_F(FullClean, ShutdownOfferAnsweredYes)
{
    set_areas(area_file("0000000000000", "0000"));
    set_setting(1, "1");
    start();
    fakes.dialogs->answers = {rt::vbYes};
    form().Picture2_Click();
    ASSERT_EQ(fakes.processes->started.size(), 1u);
    EXPECT_EQ(fakes.processes->started[0].command, "shutdown -f -s -t 00");
    EXPECT_EQ(fakes.processes->started[0].style, rt::vbMinimizedFocus);
    EXPECT_EQ(fakes.program_end->calls, 1);
}

TEST_F(FullClean, SecondCleanReplacesTheFirstReport)
{
    set_areas(area_file("0000000000000", "0000"));
    set_setting(11, "1");
    junk(p("AppData\\Local\\Temp\\a.tmp"), 5);
    start();
    form().Picture2_Click();
    set_areas(area_file("0000000001100", "0000"));
    form().Picture2_Click();
    EXPECT_EQ(report()[1], "Total Files Removed = 1    Releasing 5.00   Bytes of disk space");
    EXPECT_EQ(report_count("FULL CLEAN UP COMPLETE"), 1);
}

TEST_F(FullClean, UserLocationsTakePlainFilesOnlyAndWalkEveryFolderEntry)
{
    // Both force options on: still only the plain files of a user folder are listed.
    set_areas(all_areas(1, 1));
    const std::string folder = dir / "userdir\\", absent = dir / "absent\\";
    junk(folder + "a.txt", 5);
    junk(folder + "b.txt", 6);
    set_attributes(junk(folder + "hid.txt"), FILE_ATTRIBUTE_HIDDEN);
    set_attributes(junk(folder + "ro.txt"), FILE_ATTRIBUTE_READONLY);
    const std::string link = dir / "linked\\";
    sentinel(dir / "outside\\keep.txt");
    make_host_link(dir / "linked", dir / "outside");
    put(in_program("PMuser.lst"),
        "D " + link + "\r\nd " + folder + "\r\nF " + dir / "files\\missing.txt" + "\r\nD " + absent + "\r\n");
    start();
    app->Form2.List1.Clear();
    form().force_read_only = 0;
    form().force_hidden = 0;
    form().clean_userfiles();
    EXPECT_EQ(comparable(report()), (std::vector<std::string>{
                                        "  USER LOCATIONS CLEANING COMPLETE", "      List of files Deleted",
                                        "          Location = " + link, "", "          Location = " + folder, "          a.txt", "          b.txt", "",
                                        "          Location = " + dir / "files\\missing.txt",
                                        "          Location = " + absent, ""}));
    EXPECT_TRUE(exists(folder + "hid.txt"));
    EXPECT_TRUE(exists(folder + "ro.txt"));
    expect_sentinels_intact();   // nothing behind a linked folder entry is touched
    EXPECT_EQ(form().force_read_only, 1);
    EXPECT_EQ(form().force_hidden, 1);
    // The link is refused (its path shown as an exception); the missing file fails to delete.
    EXPECT_EQ(app->Form4.List3.items(), (std::vector<std::string>{link, dir / "files\\missing.txt"}));
    // The last folder entry was walked although it does not exist: the folder alone, no files.
    EXPECT_EQ(app->Form4.List4.items(), std::vector<std::string>{absent});
    EXPECT_EQ(form().walk_root, absent);
    EXPECT_EQ(form().ProgressBar1.Max(), 1);
}

TEST_F(FullClean, UserFolderProgressCountsItsPlainFilesPlusOne)
{
    set_areas(all_areas(0, 0));
    const std::string folder = dir / "userdir\\";
    for (const char* name : {"a.txt", "b.txt", "c.txt"})
        junk(folder + name);
    set_attributes(junk(folder + "hid.txt"), FILE_ATTRIBUTE_HIDDEN);
    put(in_program("PMuser.lst"), "D " + folder + "\r\n");
    start();
    form().clean_userfiles();
    EXPECT_EQ(form().ProgressBar1.Max(), 4);
    EXPECT_EQ(form().ProgressBar1.Value(), 2);
    EXPECT_EQ(form().files_deleted, 3);
}

TEST_F(FullClean, AUserSubFolderThatCannotBeOpenedLeavesTheRestOfItsEntryCleaned)
{
    set_areas(all_areas(0, 0));
    const std::string folder = dir / "userdir\\";
    junk(folder + "locked\\stays.txt");
    const std::string deeper = junk(folder + "other\\deep\\gone.txt");   // walked after "locked"
    const std::string next = junk(dir / "next\\gone.txt");
    locked = CreateFileW(rt::wide_path(folder + "locked").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                         FILE_FLAG_BACKUP_SEMANTICS, nullptr);   // not shared: the clean cannot open it
    ASSERT_NE(locked, INVALID_HANDLE_VALUE);
    put(in_program("PMuser.lst"), "D " + folder + "\r\nD " + dir / "next\\" + "\r\n");
    start();
    app->Form2.List1.Clear();
    form().clean_userfiles();
    EXPECT_FALSE(exists(deeper));
    EXPECT_FALSE(exists(folder + "other\\deep"));
    EXPECT_FALSE(exists(next));
    EXPECT_TRUE(exists(folder + "locked\\stays.txt"));
    EXPECT_EQ(comparable(report()), (std::vector<std::string>{"  USER LOCATIONS CLEANING COMPLETE", "      List of files Deleted",
                                                              "          Location = " + folder, "          gone.txt", "",
                                                              "          Location = " + dir / "next\\", "          gone.txt", ""}));
}
