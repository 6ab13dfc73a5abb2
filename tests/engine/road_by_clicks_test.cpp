// The whole road by the user's own clicks: ADVANCED, every area cleared but TEMP, an own
// folder added in the editor, both windows closed, FULL CLEAN; and a clean by the keyboard.
#include <gtest/gtest.h>
#include <algorithm>
#include "clean_fixture.h"
#include "support/user_clicks.h"

using namespace cleantest;
using namespace testsupport;

namespace {

class RoadByClicks : public CleanTest {
protected:
    void pump() { app->sys.DoEvents(); }
};

TEST_F(RoadByClicks, OnlyTheChosenAreasAndTheOwnFolderAreCleaned)
{
    const std::string temp_junk = junk(profile + "\\AppData\\Local\\Temp\\t1.tmp", 30);
    const std::string gamer_junk = junk(profile + "\\AppData\\Local\\NVIDIA\\DXCache\\g1.bin", 100);
    const std::string cache_junk = junk(profile + "\\AppData\\Local\\Microsoft\\Windows\\INetCache\\IE\\i1.dat", 40);
    const std::string own = dir / "userdir";
    const std::string own_junk[] = {junk(own + "\\u1.txt", 11), junk(own + "\\sub\\u2.txt", 12)};
    const std::string beside = dir / "userdir-keep\\keep.txt";
    put(beside, "sentinel");
    put(dir / "userdir.txt", "sentinel");
    start();
    pellmaris::Form1& main = form();
    pellmaris::Form3& areas = app->Form3;
    pellmaris::Form6& editor = app->Form6;
    main.Show();

    main.Picture9.on_mouse_move(0, 0, 60, 60);   // ADVANCED
    main.Picture10.on_click();
    pump();
    ASSERT_TRUE(areas.Visible());
    ASSERT_EQ(areas.List1.ListCount(), 12);
    click_row(areas.List1, 0);   // GAMER FILES
    click_row(areas.List1, 2);   // INTERNET
    for (long row = 0; row < 12; ++row)
        EXPECT_EQ(areas.List1.Selected(row), row >= 9) << row;

    areas.Label1.on_click();   // "Build / Add  / Amend a Custom List"
    pump();
    ASSERT_TRUE(editor.Visible());
    choose_drive(editor.Drive1, 'S');
    open_folders(editor.Dir1, own.substr(3));
    ASSERT_EQ(editor.Dir1.Path(), own);
    click_button(editor.Option1);
    editor.Label1.on_click();   // "Add to Custom Cleaning List"
    ASSERT_EQ(editor.List1.ListCount(), 1);
    SendMessageA(editor.hWnd(), WM_CLOSE, 0, 0);
    pump();

    ASSERT_TRUE(areas.Visible());
    ASSERT_EQ(areas.List1.ListCount(), 13);
    click_row(areas.List1, 12);   // USER OWN LOCATIONS
    areas.Picture1.on_mouse_move(0, 0, 30, 30);
    areas.Picture2.on_click();   // back
    pump();
    ASSERT_TRUE(main.Visible());

    main.Picture1.on_mouse_move(0, 0, 60, 60);   // FULL CLEAN
    main.Picture2.on_click();
    pump();

    const auto lines = report();
    auto has = [&](const std::string& line) { return std::find(lines.begin(), lines.end(), line) != lines.end(); };
    EXPECT_TRUE(has("GAMER CLEANING NOT SELECTED IN ADVANCED OPTIONS"));
    EXPECT_TRUE(has("INTERNET CLEANING NOT SELECTED IN ADVANCED OPTIONS"));
    EXPECT_TRUE(has("TEMPORARY CLEANING COMPLETE"));
    EXPECT_TRUE(has("  USER LOCATIONS CLEANING COMPLETE"));
    EXPECT_TRUE(has("          Location = " + own + "\\"));
    EXPECT_FALSE(has("GAMER CLEANING COMPLETE"));
    EXPECT_FALSE(has("INTERNET CLEANING COMPLETE"));
    for (const std::string& path : {temp_junk, own_junk[0], own_junk[1]})
        EXPECT_FALSE(exists(path)) << path;
    std::vector<std::string> deleted;   // the report's file lines
    for (const std::string& line : lines)
        if (line.rfind("          ", 0) == 0 && line.find("Location = ") == std::string::npos)
            deleted.push_back(line.substr(10));
    std::sort(deleted.begin(), deleted.end());
    EXPECT_EQ(deleted, (std::vector<std::string>{"t1.tmp", "u1.txt", "u2.txt"}));
    for (const std::string& path : {gamer_junk, cache_junk, beside, dir / "userdir.txt"})
        EXPECT_TRUE(exists(path)) << path;
    EXPECT_TRUE(exists(own));   // emptied, not removed
    EXPECT_EQ(fakes.url_history->calls, 0);
    EXPECT_TRUE(fakes.processes->started.empty());
    EXPECT_TRUE(app->Form2.Visible());
}

// Tab walks the picture buttons and the links; Enter on TEMP cleans as its click does, and
// nothing else starts on the way there.
TEST_F(RoadByClicks, TheKeyboardReachesThePictureButtonsAndEnterOnTempCleans)
{
    set_areas(area_file("111111111111", "0000"));
    const std::string temp_junk = junk(profile + "\\AppData\\Local\\Temp\\k1.tmp", 30);
    const std::string gamer_junk = junk(profile + "\\AppData\\Local\\NVIDIA\\DXCache\\g1.bin", 100);
    start();
    pellmaris::Form1& main = form();
    main.Show();
    const auto focused = [&main] { return main.ActiveControl() ? main.ActiveControl()->Name() : "<none>"; };
    ASSERT_EQ(focused(), "Picture1");   // FULL CLEAN
    std::vector<std::string> round;
    for (int i = 0; i < 20 && (round.empty() || round.back() != "Picture1"); ++i) {
        press_key(main, VK_TAB);
        round.push_back(focused());
    }
    EXPECT_EQ(round, (std::vector<std::string>{"Picture3", "Picture5", "Picture7", "Picture9", "Label16", "Label20",
                                               "Label21", "Label18", "Picture11", "Label6", "Picture1"}));
    EXPECT_TRUE(exists(temp_junk));
    EXPECT_TRUE(report().empty());

    press_keys(main, VK_TAB, 3);
    ASSERT_EQ(focused(), "Picture7");   // TEMP
    press_key(main, VK_RETURN);
    EXPECT_FALSE(exists(temp_junk));
    EXPECT_TRUE(exists(gamer_junk));
    ASSERT_FALSE(report().empty());
    EXPECT_EQ(report()[0], "TEMPORARY CLEANING COMPLETE");
    EXPECT_EQ(report_count("GAMER CLEANING COMPLETE"), 0);
    EXPECT_TRUE(app->Form2.Visible());
    EXPECT_TRUE(fakes.processes->started.empty());
}

} // namespace
