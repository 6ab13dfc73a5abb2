// The area-selection window: its rows, the restore of pmdb.lst, the group logic under the
// user's clicks, the write when it closes, the Recycle Bin clean-up and the classic layout.
#include "area_selection_fixture.h"
#include <functional>
#include <sstream>
#include "common/paths.h"
#include "runtime/filesys.h"

using namespace pellmaris;
using areatest::pmdb;
using testsupport::click_row;
using testsupport::press_space_on;
using testsupport::shown_selection;

namespace {

const std::vector<std::string> kAreaRows = {
    "GAMER FILES",
    "   Clear Temporary Game Cache",
    "INTERNET ",
    "   Clear Temporary Internet Files",
    "   Clear Cookies",
    "   Clear Browser History",
    "   Clear Form Data",
    "   Clear Browser Passwords",
    "   Clear Files and Settings stored by Add-ons",
    "TEMPORARY FILES",
    "   Clear Temporary Files",
    "   Clear Log Files",
};
const std::vector<std::string> kOptionRows = {
    "FORCE DELETION OF READ ONLY FILES",
    "FORCE DELETION OF HIDDEN FILES",
    "REMOVE EMPTY FOLDERS",
    "ANALYSE DRIVE ON PROGRAM START",
};
constexpr long kInternet = 2, kCookies = 4, kTemporaryFiles = 9, kOwnLocations = 12;

std::vector<std::string> lines_of(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find("\r\n", start);
        if (end == std::string::npos)
            end = text.size();
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

class AreaSelection : public areatest::AreaWindowTest {
protected:
    std::string log_text()
    {
        const std::string path = dir / kErrorLogFile;
        return rt::file_exists(path) ? testsupport::read_bytes(path) : "";
    }
    void set_pmdb(const std::string& bytes) { testsupport::write_bytes(dir / kAreaOptionsFile, bytes); }
    void load_with(const std::string& bytes)
    {
        set_pmdb(bytes);
        area().Load();
    }
    std::string pmdb_bytes() { return testsupport::read_bytes(dir / kAreaOptionsFile); }
};

// ---- rows ----

TEST_F(AreaSelection, ShowsTwelveAreaRowsAndFourOptionRowsWithoutOwnLocations)
{
    form().Load();
    app->Form2.List1.AddItem("report of an earlier clean");
    area().Load();
    EXPECT_EQ(area().List1.items(), kAreaRows);
    EXPECT_EQ(area().List2.items(), kOptionRows);
    EXPECT_TRUE(area().List1.MultiSelect());
    EXPECT_TRUE(area().List2.MultiSelect());
    EXPECT_EQ(area().Caption(), "Pellmaris");
    EXPECT_EQ(area().Label1.Caption(), "Build / Add  / Amend a Custom List");
    EXPECT_EQ(area().Label2.Caption(), "Analyse Drive(s)");
    EXPECT_EQ(area().Label3.Caption(), "Custom List are only  Cleaned using the Full Clean Option and USER OWN "
                                       "LOCATIONS is Selected in the List");
    EXPECT_EQ(area().Label5.Caption(), "Recycle Bin Clean Up");
    EXPECT_EQ(area().Label6.Caption(), "Find 0.0KB Files");
    EXPECT_EQ(app->Form2.List1.ListCount(), 0);   // the load empties the report
    EXPECT_EQ(form().Caption(), "Pellmaris        Version " + rt::version_text());
}

TEST_F(AreaSelection, OwnLocationsRowFollowsTheFileWhateverTheCaseOfItsName)
{
    put_user_locations("D S:\\x\\\r\n", "pmuser.LST");
    area().Load();
    ASSERT_EQ(area().List1.ListCount(), 13);
    EXPECT_EQ(area().List1.List(kOwnLocations), "USER OWN LOCATIONS");
    area().Unload();

    testsupport::remove_tree(dir / "pmuser.LST");
    area().Load();
    EXPECT_EQ(area().List1.ListCount(), 12);
}

// ---- restore ----

TEST_F(AreaSelection, RestoresTwelveFlagsAndTheOptions)
{
    load_with(pmdb("110000000111", "1001"));
    EXPECT_EQ(held(area().List1), "110000000111");
    EXPECT_EQ(held(area().List2), "1001");
    EXPECT_EQ(shown_selection(area().List1), "110000000111");
    EXPECT_EQ(log_text(), "");
}

TEST_F(AreaSelection, ThirteenthFlagSelectsOwnLocationsOnlyWhileTheFileExists)
{
    load_with(pmdb("0000000000001", "0100"));
    EXPECT_EQ(held(area().List1), "000000000000");   // no row for it: passed over
    EXPECT_EQ(held(area().List2), "0100");
    area().Unload();

    put_user_locations("F S:\\x.txt\r\n");
    load_with(pmdb("0000000000001", "0100"));
    EXPECT_EQ(held(area().List1), "0000000000001");
    area().Unload();

    load_with(pmdb("111111111111", "0000"));   // written before the file existed
    EXPECT_EQ(held(area().List1), "1111111111110");
    EXPECT_EQ(log_text(), "");
}

TEST_F(AreaSelection, GarbageRestoresNothingAndLogsNothing)
{
    load_with("\x01\x02 junk, [LIST1 ] 1 1\r\n\xff\xfe\"");
    EXPECT_EQ(held(area().List1), "000000000000");
    EXPECT_EQ(held(area().List2), "0000");
    EXPECT_EQ(log_text(), "");
}

TEST_F(AreaSelection, MissingFileSelectsEveryAreaNoOptionAndLogsOneRecord)
{
    testsupport::remove_tree(dir / kAreaOptionsFile);
    area().Load();
    EXPECT_EQ(held(area().List1), "111111111111");
    EXPECT_EQ(held(area().List2), "0000");
    EXPECT_EQ(area().List1.ListIndex(), 0);
    EXPECT_EQ(shown_selection(area().List1), "111111111111");

    const auto log = lines_of(log_text());
    ASSERT_EQ(log.size(), 5u) << log_text();
    EXPECT_EQ(log[0].rfind("Date: ", 0), 0u);
    EXPECT_NE(log[0].find("   Time: "), std::string::npos);
    EXPECT_EQ(log[1], "Error in procedure form3 code [form_load]");
    EXPECT_EQ(log[2], "Error number = 53");
    EXPECT_EQ(log[3], "Description  = File not found");
    EXPECT_EQ(log[4], "");
    EXPECT_TRUE(fakes.dialogs->prompts.empty());
}

// ---- group logic, by the user's clicks ----

TEST_F(AreaSelection, TwoClicksOnAHeaderClearThenSelectItsItems)
{
    set_pmdb(pmdb("111111111111", "0000"));
    open_advanced();
    click_row(area().List1, kInternet);
    EXPECT_EQ(shown_selection(area().List1), "110000000111");
    EXPECT_EQ(held(area().List1), "110000000111");
    click_row(area().List1, kInternet);   // at once, the pointer has not moved
    EXPECT_EQ(shown_selection(area().List1), "111111111111");
}

TEST_F(AreaSelection, AnItemSelectsItsHeaderButClearingItLeavesTheHeader)
{
    load_with(pmdb("000000000000", "0000"));
    area().Show();
    click_row(area().List1, kCookies);
    EXPECT_EQ(shown_selection(area().List1), "001010000000");
    click_row(area().List1, kCookies);
    EXPECT_EQ(shown_selection(area().List1), "001000000000");
    click_row(area().List1, kTemporaryFiles);   // a header with its two items
    EXPECT_EQ(shown_selection(area().List1), "001000000111");
}

TEST_F(AreaSelection, TheSpaceBarRunsTheSameGroupLogic)
{
    load_with(pmdb("000000000000", "0000"));
    area().Show();
    int clicks = 0;
    auto bound = area().List1.on_click;
    area().List1.on_click = [&] { ++clicks; bound(); };
    press_space_on(area().List1, kTemporaryFiles);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(shown_selection(area().List1), "000000000111");
    press_space_on(area().List1, kTemporaryFiles);
    EXPECT_EQ(shown_selection(area().List1), "000000000000");
}

// The list tells of a change for every arrow key; moving onto a header changes nothing.
TEST_F(AreaSelection, ArrowKeysOverAHeaderLeaveItsItemsAsTheyAre)
{
    load_with(pmdb("001101111000", "0000"));
    area().Show();
    const auto press = [&](long caret, WPARAM key) {
        HWND window = area().List1.hWnd();
        SendMessageA(window, LB_SETCARETINDEX, caret, FALSE);
        SendMessageA(window, WM_KEYDOWN, key, 0x00500001);
        SendMessageA(window, WM_KEYUP, key, 0xC0500001);
        pump();
    };
    press(kInternet - 1, VK_DOWN);
    EXPECT_EQ(shown_selection(area().List1), "001101111000");
    press(kTemporaryFiles - 1, VK_DOWN);
    press(kTemporaryFiles + 1, VK_UP);
    EXPECT_EQ(shown_selection(area().List1), "001101111000");
    EXPECT_EQ(held(area().List1), "001101111000");
    press_space_on(area().List1, kTemporaryFiles);   // a real change still counts
    EXPECT_EQ(shown_selection(area().List1), "001101111111");
}

TEST_F(AreaSelection, OwnLocationsRowAndOptionsToggleAlone)
{
    put_user_locations("D S:\\x\\\r\n");
    load_with(pmdb("0000000000000", "0000"));
    area().Show();
    click_row(area().List1, kOwnLocations);
    EXPECT_EQ(shown_selection(area().List1), "0000000000001");
    click_row(area().List2, 1);
    click_row(area().List2, 3);
    EXPECT_EQ(held(area().List2), "0101");
    EXPECT_EQ(shown_selection(area().List1), "0000000000001");
}

// ---- closing writes pmdb.lst ----

TEST_F(AreaSelection, BackWritesTheFileByteForByteAndShowsTheMainWindow)
{
    open_advanced();
    ASSERT_TRUE(area().Visible());
    ASSERT_FALSE(form().Visible());
    click_row(area().List1, 0);                 // GAMER FILES and its item
    click_row(area().List1, kTemporaryFiles);   // TEMPORARY FILES and its two
    click_row(area().List2, 0);
    area().Picture1.on_mouse_move(0, 0, 30, 30);
    ASSERT_TRUE(area().Picture2.Visible());
    area().run_handler(area().Picture2.on_click);   // as the message loop runs the click
    pump();

    EXPECT_FALSE(area().is_loaded());
    EXPECT_TRUE(form().Visible());
    const std::string expected = "[LIST1]\r\n 1  1  0  0  0  0  0  0  0  1  1  1 \r\n[LIST2]\r\n 1  0  0  0 ";
    EXPECT_EQ(pmdb_bytes(), expected);
    EXPECT_EQ(pmdb_bytes().size(), 9u + 36 + 2 + 9 + 12);
}

TEST_F(AreaSelection, TheCloseBoxWritesThirteenFlagsWithOwnLocations)
{
    put_user_locations("D S:\\x\\\r\n");
    open_advanced();
    click_row(area().List1, kOwnLocations);
    SendMessageA(area().hWnd(), WM_CLOSE, 0, 0);
    pump();
    EXPECT_FALSE(area().is_loaded());
    EXPECT_TRUE(form().Visible());
    EXPECT_EQ(pmdb_bytes(), pmdb("0000000000001", "0000"));
}

// The program ends without the window's own closing: at the main window's exit, at the
// search's close and at the Yes to the shutdown question after a full clean.
TEST_F(AreaSelection, EveryEndOfTheProgramKeepsWhatTheOpenWindowHolds)
{
    const std::pair<const char*, std::function<void()>> ends[] = {
        {"main window", [&] { SendMessageA(form().hWnd(), WM_CLOSE, 0, 0); }},
        {"search",
         [&] {
             area().Label6.on_click();
             ASSERT_TRUE(app->FormSearch.Visible());
             SendMessageA(app->FormSearch.hWnd(), WM_CLOSE, 0, 0);
         }},
        {"shutdown", [&] {
             set_line(kShutdownAfterCleanup, "1");
             fakes.dialogs->default_answer = rt::vbYes;
             form().Picture2_Click();
         }},
    };
    set_line(kHideClosePrompt, "1");
    for (const auto& [name, end] : ends) {
        SCOPED_TRACE(name);
        set_pmdb(pmdb("000000000000", "0000"));
        app = std::make_unique<Program>(testsupport::make_fake_system(dir.path(), fakes));
        form().Load();
        open_advanced();
        click_row(area().List1, 0);
        click_row(area().List2, 2);
        end();
        pump();
        EXPECT_EQ(fakes.program_end->calls, 1);
        EXPECT_EQ(pmdb_bytes(), pmdb("110000000000", "0010"));
    }
}

TEST_F(AreaSelection, AFailedWriteKeepsTheOldFileSaysSoAndStillCloses)
{
    const std::string old = pmdb("000000000000", "0000");
    load_with(old);
    area().Show();
    click_row(area().List1, 0);
    SetFileAttributesA((dir / kAreaOptionsFile).c_str(), FILE_ATTRIBUTE_READONLY);
    area().Label7_Click();
    SetFileAttributesA((dir / kAreaOptionsFile).c_str(), FILE_ATTRIBUTE_NORMAL);

    EXPECT_FALSE(area().is_loaded());
    EXPECT_TRUE(form().Visible());
    EXPECT_EQ(pmdb_bytes(), old);
    ASSERT_EQ(fakes.dialogs->prompts.size(), 1u);
    EXPECT_EQ(fakes.dialogs->prompts[0].title, "Pellmaris");
    EXPECT_NE(fakes.dialogs->prompts[0].text.find("could not be saved"), std::string::npos);
}

TEST_F(AreaSelection, AnalyseWritesTheFileFirst)
{
    load_with(pmdb("000000000000", "0000"));
    area().Show();
    click_row(area().List1, kInternet);
    area().Label2.on_click();
    EXPECT_EQ(pmdb_bytes(), pmdb("001111111000", "0000"));
    EXPECT_TRUE(area().is_loaded());
}

// ---- Recycle Bin ----

class RecycleBinCleanUp : public AreaSelection {
protected:
    std::string asked_after_size(int64_t bytes, int answer)
    {
        fakes.recycle_bin->bytes = bytes;
        fakes.dialogs->prompts.clear();
        fakes.dialogs->answers = {answer};
        area().Label5.on_click();
        EXPECT_EQ(fakes.dialogs->prompts.size(), 1u);
        if (fakes.dialogs->prompts.empty())
            return "";
        EXPECT_EQ(fakes.dialogs->prompts[0].style, 36);
        EXPECT_EQ(fakes.dialogs->prompts[0].title, "Pellmaris");
        return fakes.dialogs->prompts[0].text;
    }
};

TEST_F(RecycleBinCleanUp, AsksWithTheExactSizeBelowTwoGigabytes)
{
    area().Show();
    EXPECT_EQ(asked_after_size(0, rt::vbNo),
              "Your Recycle Bin consumes 0 bytes right now.\r\nDo you want to empty it?");
    EXPECT_EQ(asked_after_size(2147483647, rt::vbNo),
              "Your Recycle Bin consumes 2147483647 bytes right now.\r\nDo you want to empty it?");
    EXPECT_EQ(asked_after_size(int64_t{1} << 31, rt::vbNo),
              "Your Recycle Bin consumes over 2 gigabytes right now!\r\nDo you want to empty it?");
    EXPECT_EQ(asked_after_size(int64_t{5} << 32, rt::vbNo),
              "Your Recycle Bin consumes over 2 gigabytes right now!\r\nDo you want to empty it?");
    EXPECT_TRUE(fakes.recycle_bin->emptied.empty());
    EXPECT_EQ(fakes.recycle_bin->icon_updates, 0);
}

TEST_F(RecycleBinCleanUp, YesEmptiesEveryBinAndUpdatesTheIcon)
{
    area().Show();
    asked_after_size(1024, rt::vbYes);
    ASSERT_EQ(fakes.recycle_bin->emptied.size(), 1u);
    EXPECT_EQ(fakes.recycle_bin->emptied[0], "");   // every drive
    EXPECT_EQ(fakes.recycle_bin->icon_updates, 1);
    EXPECT_TRUE(area().is_loaded());
}

TEST_F(RecycleBinCleanUp, AFailedQuerySaysSoAndAsksNothing)
{
    fakes.recycle_bin->query_result = E_FAIL;
    fakes.dialogs->default_answer = rt::vbYes;
    area().Label5.on_click();
    ASSERT_EQ(fakes.dialogs->prompts.size(), 1u);
    EXPECT_EQ(fakes.dialogs->prompts[0].style, rt::vbExclamation);
    EXPECT_NE(fakes.dialogs->prompts[0].text.find("could not be read"), std::string::npos);
    EXPECT_TRUE(fakes.recycle_bin->emptied.empty());
}

// ---- looks ----

TEST_F(AreaSelection, LinksLightUpUnderThePointerAndTheListPutsThemBack)
{
    area().Show();
    area().Label1.on_mouse_move(0, 0, 10, 10);
    EXPECT_EQ(area().Label1.FontSize(), 10);
    EXPECT_EQ(area().Label1.ForeColor(), rt::QBColor(2));
    area().Label2.on_mouse_move(0, 0, 10, 10);
    EXPECT_EQ(area().Label1.FontSize(), 8);
    EXPECT_EQ(area().Label1.ForeColor(), rt::QBColor(0));
    EXPECT_EQ(area().Label2.FontSize(), 10);
    area().List1.on_mouse_move(0, 0, 10, 10);
    EXPECT_EQ(area().Label2.FontSize(), 8);
    EXPECT_EQ(area().Label2.ForeColor(), rt::QBColor(0));

    area().Picture1.on_mouse_move(0, 0, 10, 10);
    EXPECT_TRUE(area().Picture2.Visible());
    area().Form_MouseMove(0, 0, 10, 10);
    EXPECT_FALSE(area().Picture2.Visible());
}

void expect_classic_layout(Form3& f)
{
    EXPECT_EQ(f.Width(), 9650);
    EXPECT_GE(f.Height(), 6000);
    EXPECT_FALSE(f.Picture1.Visible());
    EXPECT_FALSE(f.Picture2.Visible());
    EXPECT_EQ(f.List1.Top(), 1800);
    EXPECT_EQ(f.List1.Height(), 2800);
    EXPECT_EQ(f.List2.Left(), 240);
    EXPECT_EQ(f.List2.Top(), 4700);
    EXPECT_EQ(f.List2.Width(), 4095);
    EXPECT_EQ(f.List2.Height(), 950);
    // The option list shows whole, its lower border included.
    RECT client{};
    GetClientRect(f.hWnd(), &client);
    const RECT list = f.List2.pixel_rect();
    EXPECT_LE(list.bottom, client.bottom);
    EXPECT_GE(list.bottom, client.bottom - 10);
    RECT rows{};
    GetClientRect(f.List2.hWnd(), &rows);
    EXPECT_GE(rows.bottom, SendMessageA(f.List2.hWnd(), LB_GETITEMHEIGHT, 0, 0) * f.List2.ListCount());
    for (rt::Label* hidden : {&f.Label1, &f.Label2, &f.Label3, &f.Label5, &f.Label6})
        EXPECT_FALSE(hidden->Visible()) << hidden->Name();
    EXPECT_TRUE(f.Label7.Visible());
}

TEST_F(AreaSelection, ClassicLayoutWhicheverWayTheWindowLoads)
{
    testsupport::make_dirs(dir / kSkinFolder);
    testsupport::write_bytes(dir / "pellmarisgui\\advancedgui.jpg",
                             testsupport::read_bytes(testsupport::stage_folder() + "\\pellmarisgui\\advancedgui.jpg"));
    set_line(kClassicTheme, "1");
    open_advanced();
    {
        SCOPED_TRACE("ADVANCED");
        expect_classic_layout(area());
    }
    area().Label7.on_click();
    EXPECT_TRUE(form().Visible());
    EXPECT_FALSE(area().is_loaded());

    area().Left();   // another window reads its position
    SCOPED_TRACE("touched by another window");
    expect_classic_layout(area());
    EXPECT_EQ(area().List1.ListCount(), 12);
}

} // namespace
