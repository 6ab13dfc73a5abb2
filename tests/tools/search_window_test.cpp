// The search window on fakes: its lists, the custom extensions, the start, the wait, abort and close.
#include "search_fixture.h"
#include <algorithm>
#include <cstdlib>
#include "runtime/filesys.h"
#include "runtime/services.h"
#include "runtime/unicode.h"
#include "support/host_link.h"
#include "tools/search_files.h"

using namespace pellmaris;
using testsupport::read_bytes;
using testsupport::write_bytes;

namespace {

constexpr const char* kCaption = "Pellmaris file cleanup";
constexpr const char* kAbortQuestion = "ABORT SEARCH AND RETURN TO SELECTION SCREEN";
const std::vector<std::string> kAllButAbort = {
    "Label1", "Label2", "Label3", "Label4", "List1", "List2", "Command1", "Command2", "Command4",
    "Command3", "Command5", "Command6", "Command7", "Label5", "Label6", "ProgressLabelBack",
    "ProgressLabelBottom", "ProgressLabelTop"};

std::vector<std::string> every_control()
{
    std::vector<std::string> all = kAllButAbort;
    all.push_back("Command8");
    return all;
}

class SearchWindow : public searchtest::SearchTest {
protected:
    void SetUp() override
    {
        SearchTest::SetUp();
        form().Show();
    }

    // START SEARCH with these extensions and drives picked by clicks on their rows.
    void start_search(const std::vector<std::string>& extensions, const std::vector<std::string>& drives)
    {
        click_rows(form().List1, extensions);
        click_rows(form().List2, drives);
        ASSERT_TRUE(click(form().Command7));
    }

    // Appends to the listing, as the batch does.
    void append_listing(const std::string& text)
    {
        write_bytes(file(kSearchResultsFile), read_bytes(file(kSearchResultsFile)) + text);
    }

    void finish_listing(const std::string& last_line = "FINISHED ")
    {
        append_listing("S:\\a\r\nS:\\a\\b\r\n" + last_line + "\r\n");
    }
};

TEST_F(SearchWindow, LoadsRowZeroTheSavedExtensionsAndTheDrivesThatCanBeSelected)
{
    EXPECT_EQ(form().Caption(), kCaption);
    EXPECT_EQ(rows(form().List1), std::vector<std::string>{"Zero Length Files"});
    EXPECT_EQ(form().search_state, 1);
    EXPECT_EQ(form().remove_mode, 0);
    EXPECT_EQ(enabled_controls(), every_control());

    // The test prefix's drives in letter order, but for N:, whose folder is gone. Probing them
    // leaves the current folder, and with it the current drive, where it was.
    form().Unload();
    ASSERT_TRUE(testsupport::make_drive_n_not_ready()) << "the test prefix has no drive N:, or its folder stays";
    rt::CurrentFolderKept kept;
    ASSERT_TRUE(rt::set_current_folder("R:\\"));
    EXPECT_EQ(rows(form().List2), (std::vector<std::string>{"C:\\", "D:\\", "E:\\", "P:\\", "R:\\", "S:\\",
                                                            "V:\\", "W:\\", "X:\\"}));
    EXPECT_EQ(rt::current_folder(), "R:\\");

    form().Unload();
    write_bytes(file(kSearchExtensionsFile), ".tmp\r\n  .LOG \r\n.tmp\r\n");
    EXPECT_EQ(rows(form().List1), (std::vector<std::string>{"Zero Length Files", ".tmp", "  .LOG ", ".tmp"}));
}

// The background's teal footer line, looked for where the window draws it (the buttons, child
// windows, are not part of that drawing), runs below the four lower buttons.
TEST_F(SearchWindow, TheFooterLineRunsBelowTheButtons)
{
    const HWND window = form().hWnd();
    RECT client{};
    GetClientRect(window, &client);
    HDC screen = GetDC(window);
    HDC mem = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, client.right, client.bottom);
    HGDIOBJ old = SelectObject(mem, bitmap);
    PrintWindow(window, mem, PW_CLIENTONLY);
    auto teal = [](COLORREF c) {
        return std::abs(GetRValue(c) - 0x1F) < 40 && std::abs(GetGValue(c) - 0xA2) < 40 &&
               std::abs(GetBValue(c) - 0xA6) < 40;
    };
    LONG buttons_bottom = 0;
    for (rt::CommandButton* b : {&form().Command1, &form().Command2, &form().Command3, &form().Command4,
                                 &form().Command7})
        buttons_bottom = std::max(buttons_bottom, b->pixel_rect().bottom);
    // Under START SEARCH and under the extension buttons, below the header band.
    for (const LONG x : {form().Command7.pixel_rect().left + 40, form().Command2.pixel_rect().left + 40}) {
        LONG line = -1;
        for (LONG y = client.bottom / 2; y < client.bottom && line < 0; ++y)
            if (teal(GetPixel(mem, x, y)))
                line = y;
        EXPECT_GE(line, buttons_bottom) << "x " << x;
    }
    SelectObject(mem, old);
    DeleteObject(bitmap);
    DeleteDC(mem);
    ReleaseDC(window, screen);
}

TEST_F(SearchWindow, SelectAndDeselectAllWorkOnTheirOwnListAndLeaveRowZeroCurrent)
{
    write_bytes(file(kSearchExtensionsFile), ".tmp\r\n.bak\r\n");
    form().Unload();
    form().Show();
    app->sys.DoEvents();   // the lists' windows show their rows
    click_row(form().List1, 2);
    ASSERT_TRUE(click(form().Command1));
    EXPECT_EQ(selected(form().List1), (std::vector<long>{0, 1, 2}));
    EXPECT_TRUE(selected(form().List2).empty());
    EXPECT_EQ(form().List1.ListIndex(), 0);

    ASSERT_TRUE(click(form().Command4));
    EXPECT_EQ(selected(form().List2).size(), static_cast<size_t>(form().List2.ListCount()));
    ASSERT_TRUE(click(form().Command2));
    EXPECT_TRUE(selected(form().List1).empty());
    EXPECT_EQ(selected(form().List2).size(), static_cast<size_t>(form().List2.ListCount()));
    ASSERT_TRUE(click(form().Command3));
    EXPECT_TRUE(selected(form().List2).empty());
    EXPECT_EQ(form().List2.ListIndex(), 0);
}

TEST_F(SearchWindow, AddedExtensionsAreSavedOnlyOnYesAndComeBackNextTime)
{
    form().Move(1500, 900);
    fakes.dialogs->input_answers = {std::string(" .Old File "), std::string(".tmp"), std::string(""), std::nullopt,
                                    std::string(".tmp")};
    fakes.dialogs->answers = {rt::vbYes, rt::vbNo, rt::vbYes};
    for (int i = 0; i < 5; ++i)
        ASSERT_TRUE(click(form().Command5));

    // Blank and Cancel changed nothing; the rest were added exactly as typed, twice included.
    EXPECT_EQ(rows(form().List1), (std::vector<std::string>{"Zero Length Files", " .Old File ", ".tmp", ".tmp"}));
    ASSERT_EQ(fakes.dialogs->input_prompts.size(), 5u);
    EXPECT_EQ(fakes.dialogs->input_prompts[0].text, "ENTER CUSTOM EXTENTION");
    EXPECT_EQ(fakes.dialogs->input_prompts[0].title, kCaption);
    EXPECT_EQ(fakes.dialogs->input_places[0].x, form().Left());
    EXPECT_EQ(fakes.dialogs->input_places[0].y, form().Top());
    ASSERT_EQ(fakes.dialogs->prompts.size(), 3u);
    EXPECT_EQ(fakes.dialogs->prompts[0].text, "DO YOU WANT TO SAVE THIS EXTENTION [  .Old File  ] FOR USE NEXT TIME");
    EXPECT_EQ(fakes.dialogs->prompts[0].style, 36);
    EXPECT_EQ(fakes.dialogs->prompts[0].title, kCaption);
    EXPECT_EQ(read_bytes(file(kSearchExtensionsFile)), " .Old File \r\n.tmp\r\n");

    form().Unload();
    EXPECT_EQ(rows(form().List1), (std::vector<std::string>{"Zero Length Files", " .Old File ", ".tmp"}));
}

POINT g_input_box_place{-1, -1};

void CALLBACK cancel_input_box(HWND, UINT, UINT_PTR id, DWORD)
{
    HWND box = FindWindowA("PellmarisInputBox", kCaption);
    if (!box)
        return;
    KillTimer(nullptr, id);
    RECT r{};
    GetWindowRect(box, &r);
    g_input_box_place = {r.left, r.top};
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
}

TEST_F(SearchWindow, TheRealInputBoxOpensAtTheWindowsTopLeftCorner)
{
    app->sys.dialogs = rt::make_real_dialogs();
    fakes.dialogs = nullptr;
    form().Move(1500, 1200);
    SetTimer(nullptr, 0, 50, cancel_input_box);
    ASSERT_TRUE(click(form().Command5));
    EXPECT_EQ(g_input_box_place.x, rt::twips_to_pixels_x(form().Left()));
    EXPECT_EQ(g_input_box_place.y, rt::twips_to_pixels_y(form().Top()));
    EXPECT_EQ(form().List1.ListCount(), 1);   // Cancel adds nothing
}

TEST_F(SearchWindow, RemoveTakesTwoClicksKeepsRowZeroAndRewritesTheList)
{
    write_bytes(file(kSearchExtensionsFile), ".a\r\n.b\r\n.c\r\n");
    form().Unload();
    click_rows(form().List1, {".a", ".c"});

    fakes.dialogs->answers = {rt::vbCancel};
    ASSERT_TRUE(click(form().Command6));
    EXPECT_TRUE(selected(form().List1).empty());   // the first click clears the selection
    ASSERT_EQ(fakes.dialogs->prompts.size(), 1u);
    EXPECT_EQ(fakes.dialogs->prompts[0].text,
              "SELECT WHICH EXTENTIONS YOU WANT TO REMOVE PERMANANTLY AND RE-CLICK THIS BUTTON");
    EXPECT_EQ(fakes.dialogs->prompts[0].style, 17);
    EXPECT_EQ(fakes.dialogs->prompts[0].title, kCaption);
    EXPECT_EQ(form().remove_mode, 0);
    EXPECT_EQ(enabled_controls(), every_control());

    ASSERT_TRUE(click(form().Command6));   // OK
    EXPECT_EQ(form().remove_mode, 1);
    EXPECT_EQ(enabled_controls(), (std::vector<std::string>{"List1", "Command6"}));
    EXPECT_FALSE(click(form().Command7));

    click_rows(form().List1, {"Zero Length Files", ".a", ".c"});
    ASSERT_TRUE(click(form().Command6));
    EXPECT_EQ(rows(form().List1), (std::vector<std::string>{"Zero Length Files", ".b"}));
    EXPECT_EQ(read_bytes(file(kSearchExtensionsFile)), ".b\r\n");
    EXPECT_EQ(form().remove_mode, 0);
    EXPECT_EQ(enabled_controls(), every_control());

    // With only row 0 picked nothing goes, and the file is written as it stands.
    ASSERT_TRUE(click(form().Command6));
    click_row(form().List1, 0);
    ASSERT_TRUE(click(form().Command6));
    EXPECT_EQ(fakes.dialogs->prompts.size(), 3u);   // the instruction again, each sequence
    EXPECT_EQ(rows(form().List1), (std::vector<std::string>{"Zero Length Files", ".b"}));
    EXPECT_EQ(read_bytes(file(kSearchExtensionsFile)), ".b\r\n");
}

TEST_F(SearchWindow, AnExtensionListThatCannotBeWrittenIsSaidAndTheWindowGoesOn)
{
    write_bytes(file(kSearchExtensionsFile), ".a\r\n");
    form().Unload();
    form().Show();
    const std::string blocked = file(kSearchExtensionsFile) + ".moved";
    ASSERT_TRUE(MoveFileA(file(kSearchExtensionsFile).c_str(), blocked.c_str()));
    rt::make_dir(file(kSearchExtensionsFile));   // a folder where the list should go
    fakes.dialogs->input_answers = {std::string(".new")};
    fakes.dialogs->answers = {rt::vbYes};
    ASSERT_TRUE(click(form().Command5));
    ASSERT_EQ(fakes.dialogs->prompts.size(), 2u);
    EXPECT_EQ(fakes.dialogs->prompts[1].text.rfind(
                  "THE EXTENTION [ .new ] COULD NOT BE SAVED FOR USE NEXT TIME\r\nError ", 0),
              0u)
        << fakes.dialogs->prompts[1].text;
    EXPECT_EQ(fakes.dialogs->prompts[1].style, 16);
    EXPECT_EQ(fakes.dialogs->prompts[1].title, kCaption);
    EXPECT_EQ(rows(form().List1), (std::vector<std::string>{"Zero Length Files", ".a", ".new"}));

    ASSERT_TRUE(click(form().Command6));
    click_row(form().List1, 1);
    ASSERT_TRUE(click(form().Command6));
    ASSERT_EQ(fakes.dialogs->prompts.size(), 4u);
    EXPECT_EQ(fakes.dialogs->prompts[3].text.rfind("THE EXTENTION LIST COULD NOT BE SAVED\r\nError ", 0), 0u);
    EXPECT_EQ(form().remove_mode, 0);
    EXPECT_EQ(enabled_controls(), every_control());
    rt::remove_dir(file(kSearchExtensionsFile));
    EXPECT_EQ(read_bytes(blocked), ".a\r\n");
}

TEST_F(SearchWindow, StartWithNothingSelectedNamesWhatIsMissingAndStaysUsable)
{
    ASSERT_TRUE(click(form().Command7));
    click_row(form().List1, 0);
    ASSERT_TRUE(click(form().Command7));
    EXPECT_EQ(prompt_texts(), (std::vector<std::string>{"NO FILE EXTENTIONS HAVE BEEN SELECTED TO SEARCH FOR",
                                                        "NO DRIVE(S) HAVE BEEN SELECTED TO SEARCH"}));
    for (const auto& p : fakes.dialogs->prompts) {
        EXPECT_EQ(p.style, 16);
        EXPECT_EQ(p.title, kCaption);
    }
    EXPECT_EQ(form().search_state, 1);
    EXPECT_EQ(enabled_controls(), every_control());
    EXPECT_TRUE(fakes.processes->started.empty());
    EXPECT_FALSE(rt::path_exists(file(kSearchBatchFile)));
}

TEST_F(SearchWindow, StartWritesTheBatchEmptiesTheListingRunsItHiddenAndSlidesUp)
{
    write_bytes(file(kSearchResultsFile), "FINISHED \r\n");   // an earlier search's end
    const std::vector<long> before = tops();
    const long move = 5 * (form().Height() / 5);
    start_search({"Zero Length Files"}, {"P:\\", "S:\\"});

    const std::string target = "\"PMsearch.txt\"";
    EXPECT_EQ(read_bytes(file(kSearchBatchFile)), "Dir P:\\*.* /ad/s/b >> " + target + "\r\n" +
                                                      "Dir S:\\*.* /ad/s/b >> " + target + "\r\n" +
                                                      "echo FINISHED >> " + target + "\r\n");
    EXPECT_EQ(read_bytes(file(kSearchResultsFile)), "");
    ASSERT_EQ(fakes.processes->held.size(), 1u);
    const std::string& command = fakes.processes->held[0]->command;
    EXPECT_EQ(command, "\".\\PMsearch.bat\"");
    EXPECT_EQ(fakes.processes->started[0].folder, folder);
    EXPECT_EQ(fakes.processes->started[0].style, rt::vbHide);

    EXPECT_EQ(form().Label5.Caption(), "SEARCHING DRIVE(S)  P:\\  S:\\  ");
    EXPECT_EQ(form().Label6.Caption(), "SEARCHING FOR FILE(S) THAT ARE  Zero Length Files  ");
    EXPECT_EQ(form().search_state, 2);
    EXPECT_EQ(enabled_controls(), std::vector<std::string>{"Command8"});
    const std::vector<long> after = tops();
    ASSERT_EQ(after.size(), before.size());
    for (size_t i = 0; i < before.size(); ++i)
        EXPECT_EQ(after[i], before[i] - move) << form().screen_controls()[i]->Name();
    EXPECT_GT(move, 5670);
}

TEST_F(SearchWindow, TheWaitEndsAtTheEndMarkerWhateverItsCaseAndBlanks)
{
    start_search({"Zero Length Files"}, {"S:\\"});
    pump_for(400);
    EXPECT_EQ(form().search_state, 2);
    append_listing("S:\\finished\r\nS:\\b\\FINISHED\r\nFINISH");
    pump_for(300);
    EXPECT_EQ(form().search_state, 2);
    finish_listing("   finished   ");
    ASSERT_TRUE(wait_until_finished());
    EXPECT_TRUE(scanner_opened);   // "Zero Length Files" was searched for
    EXPECT_EQ(form().search_finished, 1);
    EXPECT_TRUE(form().Label6.Visible());
    EXPECT_EQ(enabled_controls(), std::vector<std::string>{"Command8"});
    EXPECT_FALSE(form().Timer1.Enabled());
}

TEST_F(SearchWindow, OnlyASearchForZeroLengthFilesOpensTheScannerAtItsEnd)
{
    write_bytes(file(kSearchExtensionsFile), ".tmp\r\n");
    form().Unload();
    form().Show();
    start_search({".tmp"}, {"S:\\"});
    finish_listing();
    ASSERT_TRUE(wait_until_finished());
    EXPECT_FALSE(scanner_opened);
    fakes.dialogs->answers = {rt::vbYes};
    ASSERT_TRUE(click(form().Command8));
    start_search({"Zero Length Files"}, {});
    finish_listing();
    ASSERT_TRUE(wait_until_finished());
    EXPECT_TRUE(scanner_opened);
}

TEST_F(SearchWindow, TheScannerItOpensScansTheDrivesChosenInTheSearchOnly)
{
    start_search({"Zero Length Files"}, {"D:\\", "S:\\"});
    finish_listing();
    ASSERT_TRUE(pump_until([&] { return form().search_state == 3; }, 5000));
    ASSERT_TRUE(app->Form12.is_loaded());
    EXPECT_EQ(app->Form12.List3.items(), (std::vector<std::string>{"D:\\", "S:\\"}));
    app->Form12.Unload();   // before its first tick
}

TEST_F(SearchWindow, EachPollWidensTheProgressStripUntilItFillsItsBackground)
{
    start_search({"Zero Length Files"}, {"S:\\"});
    rt::Label& fill = form().ProgressLabelBottom;
    EXPECT_EQ(fill.Width(), 0);
    rt::kill_file(file(kSearchResultsFile));
    pump_for(300);
    EXPECT_EQ(fill.Width(), 0);   // no listing to read: the strip stands still
    EXPECT_EQ(form().progress_fill, "");
    write_bytes(file(kSearchResultsFile), "S:\\a\r\n");
    ASSERT_TRUE(pump_until([&] { return form().progress_fill.size() >= 3; }, 5000));
    EXPECT_GT(fill.Width(), 0);
    EXPECT_EQ(form().ProgressLabelTop.Width(), fill.Width());
    EXPECT_EQ(fill.Height(), 315);
    EXPECT_EQ(form().ProgressLabelTop.Height(), 75);
    form().progress_fill = std::string(400, ' ');   // as after many polls
    pump_for(300);
    const long full = fill.Width();
    EXPECT_GE(full, form().ProgressLabelBack.Width());
    pump_for(300);
    EXPECT_EQ(fill.Width(), full);
}

TEST_F(SearchWindow, AbortAsksThenEndsTheBatchAndSlidesBackToTheSelection)
{
    const std::vector<long> before = tops();
    start_search({"Zero Length Files"}, {"S:\\"});
    fakes.dialogs->answers = {rt::vbNo, rt::vbYes};
    ASSERT_TRUE(click(form().Command8));
    EXPECT_EQ(form().search_state, 2);
    EXPECT_TRUE(fakes.processes->held[0]->running);

    ASSERT_TRUE(click(form().Command8));
    EXPECT_EQ(prompt_texts(), (std::vector<std::string>{kAbortQuestion, kAbortQuestion}));
    EXPECT_EQ(fakes.dialogs->prompts[1].style, 36);
    EXPECT_EQ(fakes.dialogs->prompts[1].title, kCaption);
    EXPECT_FALSE(fakes.processes->held[0]->running);
    EXPECT_EQ(form().search_state, 1);
    EXPECT_EQ(form().abort_search, 1);
    EXPECT_EQ(tops(), before);
    EXPECT_EQ(enabled_controls(), every_control());
    EXPECT_FALSE(form().Label6.Visible());

    // The aborted search's listing ends no wait any more.
    finish_listing();
    pump_for(300);
    EXPECT_EQ(form().search_state, 1);

    // A new search keeps Label6 hidden until its end, and ends at that end.
    start_search({}, {});
    EXPECT_EQ(form().search_state, 2);
    EXPECT_FALSE(form().Label6.Visible());
    EXPECT_EQ(read_bytes(file(kSearchResultsFile)), "");
    finish_listing();
    ASSERT_TRUE(wait_until_finished());
    EXPECT_TRUE(form().Label6.Visible());
}

TEST_F(SearchWindow, AnotherSearchAfterAFinishedOneEndsTheOldBatchFirst)
{
    start_search({"Zero Length Files"}, {"S:\\"});
    finish_listing();
    ASSERT_TRUE(wait_until_finished());
    fakes.dialogs->answers = {rt::vbYes};
    ASSERT_TRUE(click(form().Command8));
    EXPECT_EQ(form().search_state, 1);
    start_search({}, {});
    ASSERT_EQ(fakes.processes->held.size(), 2u);
    EXPECT_EQ(fakes.processes->held[0]->ends, 1);
    EXPECT_TRUE(fakes.processes->held[1]->running);
    EXPECT_EQ(form().search_state, 2);
}

TEST_F(SearchWindow, FilesThatCannotBeWrittenOrABatchThatCannotStartLeaveTheSelectionUsable)
{
    const std::vector<long> before = tops();
    rt::make_dir(file(kSearchResultsFile));   // a folder where the listing should go
    start_search({"Zero Length Files"}, {"S:\\"});
    ASSERT_EQ(fakes.dialogs->prompts.size(), 1u);
    EXPECT_EQ(fakes.dialogs->prompts[0].text.rfind("THE SEARCH LIST " + file(kSearchResultsFile) +
                                                       " COULD NOT BE EMPTIED\r\nError ",
                                                   0),
              0u)
        << fakes.dialogs->prompts[0].text;
    EXPECT_EQ(fakes.dialogs->prompts[0].style, 16);
    EXPECT_EQ(fakes.dialogs->prompts[0].title, kCaption);
    EXPECT_TRUE(fakes.processes->started.empty());

    rt::remove_dir(file(kSearchResultsFile));
    fakes.processes->fail = true;
    ASSERT_TRUE(click(form().Command7));
    ASSERT_EQ(fakes.dialogs->prompts.size(), 2u);
    EXPECT_EQ(fakes.dialogs->prompts[1].text, "THE SEARCH FILE " + file(kSearchBatchFile) +
                                                  " COULD NOT BE STARTED\r\nError 53: File not found");
    EXPECT_EQ(form().search_state, 1);
    EXPECT_EQ(tops(), before);
    EXPECT_EQ(enabled_controls(), every_control());
}

// Links in place of the search's files: never written through, never removed.
class SearchFileLinks : public SearchWindow {
protected:
    std::string target = dir / "elsewhere\\keep.txt";
    std::vector<std::string> links;

    void SetUp() override
    {
        SearchWindow::SetUp();
        testsupport::make_dirs(dir / "elsewhere");
        write_bytes(target, "sentinel");
    }
    void TearDown() override
    {
        for (const auto& link : links)
            testsupport::remove_host_link(link);
    }
    void link(const char* name)
    {
        links.push_back(file(name));
        ASSERT_TRUE(testsupport::make_host_link(links.back(), target));
    }
    void expect_refused(const std::string& start_of_message)
    {
        EXPECT_EQ(read_bytes(target), "sentinel");
        EXPECT_EQ(form().search_state, 1);
        EXPECT_TRUE(fakes.processes->started.empty());
        ASSERT_EQ(fakes.dialogs->prompts.size(), 1u);
        EXPECT_EQ(fakes.dialogs->prompts[0].text.rfind(start_of_message, 0), 0u) << fakes.dialogs->prompts[0].text;
        EXPECT_NE(fakes.dialogs->prompts[0].text.find("Error 75"), std::string::npos);
    }
};

TEST_F(SearchFileLinks, InPlaceOfTheListing)
{
    link(kSearchResultsFile);
    start_search({"Zero Length Files"}, {"S:\\"});
    expect_refused("THE SEARCH LIST ");
}

TEST_F(SearchFileLinks, InPlaceOfTheBatch)
{
    link(kSearchBatchFile);
    start_search({"Zero Length Files"}, {"S:\\"});
    expect_refused("THE SEARCH FILE ");
}

// The batch never names the folder, so a folder no code page of the interpreter holds searches too.
TEST_F(SearchWindow, AProgramFolderTheCommandInterpreterCannotReadStillSearches)
{
    // A euro sign and a CJK letter: the scratch helpers cannot remove such a name themselves.
    const std::wstring odd = rt::utf16(dir / "\xE2\x82\xAC uro\xE4\xB8\xAD");
    struct RemovedAfterwards {
        std::wstring folder;
        ~RemovedAfterwards()
        {
            for (const wchar_t* name : {L"\\PMsearch.txt", L"\\PMsearch.bat"})
                DeleteFileW((folder + name).c_str());
            RemoveDirectoryW(folder.c_str());
        }
    } cleanup{odd};
    ASSERT_TRUE(CreateDirectoryW(odd.c_str(), nullptr));
    start_in(rt::utf8(odd));
    form().Show();
    start_search({"Zero Length Files"}, {"S:\\"});
    EXPECT_TRUE(fakes.dialogs->prompts.empty());
    ASSERT_EQ(fakes.processes->started.size(), 1u);
    EXPECT_EQ(fakes.processes->started[0].folder, rt::utf8(odd));
    EXPECT_EQ(form().search_state, 2);
}

// A batch that ended without its end marker (it could not run, or was ended from outside)
// never finishes the listing: the wait says so and gives the selection screen back.
TEST_F(SearchWindow, ABatchThatEndsWithoutItsEndMarkerEndsTheWaitWithAMessage)
{
    const std::vector<long> before = tops();
    start_search({"Zero Length Files"}, {"S:\\"});
    ASSERT_EQ(form().search_state, 2);
    write_bytes(file(kSearchResultsFile), "S:\\a\r\n");
    pump_for(300);
    EXPECT_EQ(form().search_state, 2);   // still running: the wait goes on
    EXPECT_TRUE(fakes.dialogs->prompts.empty());

    fakes.processes->held[0]->running = false;
    ASSERT_TRUE(pump_until([&] { return form().search_state == 1; }, 3000));
    EXPECT_EQ(prompt_texts(),
              std::vector<std::string>{"THE SEARCH STOPPED BEFORE IT FINISHED: RETURNING TO SELECTION SCREEN"});
    EXPECT_EQ(fakes.dialogs->prompts[0].style, rt::vbCritical);
    EXPECT_EQ(fakes.dialogs->prompts[0].title, kCaption);
    EXPECT_EQ(tops(), before);
    EXPECT_EQ(enabled_controls(), every_control());
    EXPECT_FALSE(app->Form12.is_loaded());
}

TEST_F(SearchWindow, FindZeroKbFilesInTheAreaSelectionOpensTheSearchBesideIt)
{
    form().Unload();
    app->Form3.Show();
    app->Form3.Label6.on_click();   // "Find 0.0KB Files"
    EXPECT_TRUE(form().is_loaded());
    EXPECT_TRUE(IsWindowVisible(form().hWnd()));
    EXPECT_TRUE(app->Form3.is_loaded());
    EXPECT_EQ(form().search_state, 1);
}

// ---- closing the window ----

class SearchWindowClose : public SearchWindow {
protected:
    void SetUp() override
    {
        SearchWindow::SetUp();
        for (const char* name : {"orvane.bat", "orvane.dat", "Pellmaris.bat", "Pellmaris.txt"})
            write_bytes(file(name), "work");
        app->Form1.tray_icon_added = true;
    }

    void expect_program_ended()
    {
        EXPECT_EQ(fakes.program_end->calls, 1);
        for (const char* name : {"orvane.bat", "orvane.dat", "Pellmaris.bat", "Pellmaris.txt"})
            EXPECT_FALSE(rt::path_exists(file(name))) << name;
        ASSERT_EQ(fakes.tray->calls.size(), 1u);
        EXPECT_EQ(fakes.tray->calls[0].first, static_cast<DWORD>(NIM_DELETE));
    }
};

TEST_F(SearchWindowClose, OnTheSelectionScreenEndsTheProgramThroughItsExitPath)
{
    close_box();
    expect_program_ended();
    EXPECT_TRUE(fakes.dialogs->prompts.empty());
}

TEST_F(SearchWindowClose, OnTheFinishedScreenEndsTheProgramToo)
{
    start_search({"Zero Length Files"}, {"S:\\"});
    finish_listing();
    ASSERT_TRUE(wait_until_finished());
    close_box();
    expect_program_ended();
}

TEST_F(SearchWindowClose, EndingTheProgramFromTheMainWindowWhileSearchingEndsTheBatch)
{
    start_search({"Zero Length Files"}, {"S:\\"});
    app->Form1.end_program();
    expect_program_ended();
    EXPECT_FALSE(fakes.processes->held[0]->running);
}

TEST_F(SearchWindowClose, WhileSearchingNoSearchesOnAndYesGoesBackToTheSelection)
{
    const std::vector<long> before = tops();
    start_search({"Zero Length Files"}, {"S:\\"});
    fakes.dialogs->answers = {rt::vbNo};
    close_box();
    EXPECT_EQ(prompt_texts(), std::vector<std::string>{kAbortQuestion});
    EXPECT_TRUE(form().is_loaded());
    EXPECT_EQ(form().search_state, 2);
    EXPECT_TRUE(fakes.processes->held[0]->running);
    EXPECT_EQ(fakes.program_end->calls, 0);

    // The search goes on, and its end is still seen.
    finish_listing();
    ASSERT_TRUE(wait_until_finished());
    fakes.dialogs->answers = {rt::vbYes};
    ASSERT_TRUE(click(form().Command8));

    start_search({}, {});
    fakes.dialogs->answers = {rt::vbYes};
    close_box();
    EXPECT_TRUE(form().is_loaded());
    EXPECT_EQ(form().search_state, 1);
    EXPECT_FALSE(fakes.processes->held[1]->running);
    EXPECT_EQ(tops(), before);
    std::vector<std::string> expected = kAllButAbort;
    EXPECT_EQ(enabled_controls(), expected);
    EXPECT_FALSE(form().Label6.Visible());
    EXPECT_EQ(fakes.program_end->calls, 0);
}

} // namespace
