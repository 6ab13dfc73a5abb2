// The system status window: memory, the running programs and Kill Process, drive space,
// and the scroll bar that moves the frames.
#include <algorithm>
#include "tools_fixture.h"
#include "support/answer_watch.h"
#include "runtime/services.h"
#include "runtime/text.h"

using namespace pellmaris;

namespace {

class SystemStatus : public toolstest::ToolsTest {
protected:
    Form13& status() { return app->Form13; }

    std::vector<std::string> rows() { return status().List1.items(); }
    void select_row(long row)
    {
        ASSERT_LT(row, status().List1.ListCount());
        status().List1.ListIndex(row);
    }
    std::string last_prompt() const
    {
        return fakes.dialogs->prompts.empty() ? "" : fakes.dialogs->prompts.back().text;
    }
    static std::string exe_name()
    {
        char path[MAX_PATH];
        std::string p(path, GetModuleFileNameA(nullptr, path, MAX_PATH));
        return p.substr(p.find_last_of('\\') + 1);
    }
    void scroll(int code)
    {
        SendMessageA(status().hWnd(), WM_VSCROLL, MAKEWPARAM(code, 0), reinterpret_cast<LPARAM>(status().VScroll1.hWnd()));
    }
    std::vector<long> frame_tops() { return {status().Frame1.Top(), status().Frame2.Top(), status().Frame3.Top()}; }
};

TEST_F(SystemStatus, TheMemoryCaptionsAreTheSystemsFigures)
{
    app->sys.memory = rt::make_real_memory();
    MEMORYSTATUSEX m{};
    m.dwLength = sizeof m;
    ASSERT_TRUE(GlobalMemoryStatusEx(&m));

    EXPECT_EQ(status().Label1.Caption(), "Total memory (in bytes): " + std::to_string(m.ullTotalPhys));
    const std::string available = status().Label2.Caption();
    const std::string words = "Available memory (in bytes): ";
    ASSERT_EQ(available.rfind(words, 0), 0u) << available;
    const uint64_t shown = std::stoull(available.substr(words.size()));
    EXPECT_GT(shown, 0u);
    EXPECT_LE(shown, m.ullTotalPhys);
}

TEST_F(SystemStatus, MemoryBeyondThirtyTwoBitsShowsInFull)
{
    fakes.memory->value.ullTotalPhys = 3221225472ull;   // 3 GB
    fakes.memory->value.ullAvailPhys = 17179869184ull;  // 16 GB, as a 64-bit machine may report
    EXPECT_EQ(status().Label1.Caption(), "Total memory (in bytes): 3221225472");
    EXPECT_EQ(status().Label2.Caption(), "Available memory (in bytes): 17179869184");
}

TEST_F(SystemStatus, TheProcessListHoldsTheRunningProgramsInSnapshotOrder)
{
    app->sys.process_list = rt::make_real_process_list();
    const auto names = rows();
    EXPECT_NE(std::find_if(names.begin(), names.end(),
                           [](const std::string& n) { return rt::LCase(n) == rt::LCase(exe_name()); }),
              names.end())
        << exe_name() << " is not listed";
}

TEST_F(SystemStatus, SameNamesStayApartAndAFailedSnapshotLeavesTheRestOfTheWindow)
{
    fakes.process_list->names = {"helper.exe", "other.exe", "helper.exe"};
    EXPECT_EQ(rows(), (std::vector<std::string>{"helper.exe", "other.exe", "helper.exe"}));
    status().Unload();

    fakes.process_list->names.clear();   // what the seam gives when no snapshot can be taken
    fakes.disk_space->caller = 5;
    EXPECT_TRUE(rows().empty());
    EXPECT_EQ(status().Label3.Caption(), "Free Space: 5\r\nTotal space: 0");
    EXPECT_EQ(status().Height(), 6150);
    EXPECT_EQ(status().VScroll1.Max(), 3855);
}

TEST_F(SystemStatus, KillProcessEndsTheSelectedNameAndRemovesEveryRowOfIt)
{
    fakes.process_list->names = {"helper.exe", "other.exe", "helper.exe"};
    status().Show();
    click(status().Command1);   // no row selected
    EXPECT_TRUE(fakes.processes->started.empty());
    EXPECT_TRUE(fakes.dialogs->prompts.empty());

    select_row(2);
    click(status().Command1);

    ASSERT_EQ(fakes.processes->started.size(), 1u);
    EXPECT_EQ(fakes.processes->started[0].command, "taskkill /F /IM \"helper.exe\"");
    EXPECT_EQ(fakes.processes->started[0].style, rt::vbHide);
    EXPECT_EQ(fakes.processes->timeouts, (std::vector<unsigned long>{kTaskkillWaitMs}));
    ASSERT_EQ(fakes.dialogs->prompts.size(), 1u);
    EXPECT_EQ(fakes.dialogs->prompts[0].text, "helper.exe Ended");
    EXPECT_EQ(fakes.dialogs->prompts[0].title, "Pellmaris");
    EXPECT_EQ(rows(), (std::vector<std::string>{"other.exe"}));

    // taskkill takes the name in any case.
    status().Unload();
    fakes.process_list->names = {"Tool.exe", "other.exe", "TOOL.EXE"};
    select_row(0);
    click(status().Command1);
    EXPECT_EQ(rows(), (std::vector<std::string>{"other.exe"}));
}

TEST_F(SystemStatus, WhileTaskkillTakesItsTimeTheWindowAnswersWithinASecondAndNoClickStartsAnotherKill)
{
    fakes.process_list->names = {"slow.exe", "other.exe"};
    status().Show();
    select_row(0);
    fakes.processes->run_ms = 3000;
    int clicks_during_the_wait = 0;
    bool input_off_throughout = true;
    app->sys.yield_hook = [&] {
        input_off_throughout = input_off_throughout && !IsWindowEnabled(status().hWnd());
        if (clicks_during_the_wait++ == 0)
            click(status().Command1);
    };
    AnswerWatch watch(status().hWnd());
    click(status().Command1);
    watch.stop();
    app->sys.yield_hook = nullptr;

    EXPECT_GE(watch.asked(), 10);
    EXPECT_LT(watch.slowest(), 1000u);
    EXPECT_GT(clicks_during_the_wait, 0);
    EXPECT_TRUE(input_off_throughout);
    EXPECT_EQ(fakes.processes->started.size(), 1u);
    EXPECT_EQ(rows(), (std::vector<std::string>{"other.exe"}));
    EXPECT_TRUE(IsWindowEnabled(status().hWnd()));
}

TEST_F(SystemStatus, AKillThatFailsKeepsTheRowAndSaysWhy)
{
    fakes.process_list->names = {"gone.exe", "name with blanks.exe"};
    status().Show();
    struct Case {
        std::optional<unsigned long> exit_code;
        std::string message;
    };
    for (const Case& c : {Case{128, "gone.exe could not be ended: no running program has that name."},
                          Case{1, "gone.exe could not be ended (taskkill reported error 1)."},
                          Case{std::nullopt, "taskkill did not say within 5 seconds whether gone.exe ended."}}) {
        fakes.processes->exit_codes = {c.exit_code};
        select_row(0);
        click(status().Command1);
        EXPECT_EQ(last_prompt(), c.message);
        EXPECT_EQ(fakes.dialogs->prompts.back().style, rt::vbExclamation);
        EXPECT_EQ(rows().size(), 2u);
    }

    fakes.processes->fail = true;
    select_row(1);
    click(status().Command1);
    EXPECT_EQ(fakes.processes->started.back().command, "taskkill /F /IM \"name with blanks.exe\"");
    EXPECT_EQ(last_prompt(), "Pellmaris could not start taskkill to end name with blanks.exe.");
    EXPECT_EQ(rows().size(), 2u);
}

TEST_F(SystemStatus, PellmarisDoesNotEndItselfFromTheList)
{
    fakes.process_list->names = {"explorer.exe", rt::UCase(exe_name())};
    status().Show();
    select_row(1);
    click(status().Command1);
    EXPECT_TRUE(fakes.processes->started.empty());
    EXPECT_EQ(last_prompt(), rt::UCase(exe_name()) + " is Pellmaris itself: close Pellmaris from its main window.");
    EXPECT_EQ(rows().size(), 2u);
}

TEST_F(SystemStatus, TheDriveTextGroupsTheDigitsAndFollowsTheChosenDrive)
{
    fakes.disk_space->caller = 1000204886016ull;
    fakes.disk_space->total = 2000398934016ull;
    const std::string sep = thousands_separator();
    const std::string current = rt::Left(status().Drive1.Drive(), 2);
    EXPECT_EQ(status().Label3.Caption(), "Free Space: 1" + sep + "000" + sep + "204" + sep + "886" + sep +
                                             "016\r\nTotal space: 2" + sep + "000" + sep + "398" + sep + "934" +
                                             sep + "016");
    ASSERT_EQ(fakes.disk_space->roots, (std::vector<std::string>{current + "\\"}));

    // The user picks the scratch drive in the list.
    fakes.disk_space->caller = 999;
    fakes.disk_space->total = 1000;
    status().Show();
    HWND combo = status().Drive1.hWnd();
    const LRESULT row = SendMessageA(combo, CB_FINDSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("s:"));
    ASSERT_GE(row, 0);
    SendMessageA(combo, CB_SETCURSEL, row, 0);
    SendMessageA(status().hWnd(), WM_COMMAND, MAKEWPARAM(status().Drive1.id(), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(combo));
    EXPECT_EQ(fakes.disk_space->roots.back(), "s:\\");
    EXPECT_EQ(status().Label3.Caption(), "Free Space: 999\r\nTotal space: 1" + sep + "000");

    fakes.disk_space->ok = false;   // no medium
    status().Drive1_Change();
    EXPECT_EQ(status().Label3.Caption(), "Free Space: 0\r\nTotal space: 0");
}

TEST_F(SystemStatus, GroupedDigits)
{
    EXPECT_EQ(grouped_digits(0, ","), "0");
    EXPECT_EQ(grouped_digits(999, ","), "999");
    EXPECT_EQ(grouped_digits(1000, "."), "1.000");
    EXPECT_EQ(grouped_digits(18446744073709551615ull, ","), "18,446,744,073,709,551,615");
}

TEST_F(SystemStatus, ScrollingToTheEndAndBackRestoresEveryFrame)
{
    status().Show();
    const std::vector<long> design = {1200, 3360, 5280};
    ASSERT_EQ(frame_tops(), design);
    EXPECT_EQ(status().VScroll1.Height(), status().ScaleHeight() - 1080 - 50);
    const long step = status().VScroll1.SmallChange();
    EXPECT_EQ(step, rt::Screen::TwipsPerPixelY() * 10);
    EXPECT_EQ(status().VScroll1.LargeChange(), step);
    const RECT label_before = status().Label3.pixel_rect();

    scroll(SB_LINEDOWN);
    EXPECT_EQ(frame_tops(), (std::vector<long>{1200 - step, 3360 - step, 5280 - step}));
    scroll(SB_BOTTOM);
    EXPECT_EQ(status().VScroll1.Value(), 3855);
    EXPECT_EQ(frame_tops(), (std::vector<long>{1200 - 3855, 3360 - 3855, 5280 - 3855}));
    const RECT label_moved = status().Label3.pixel_rect();
    EXPECT_EQ(label_moved.top, label_before.top - rt::twips_to_pixels_y(3855));   // contents move with their frame
    scroll(SB_PAGEUP);
    scroll(SB_TOP);

    EXPECT_EQ(status().VScroll1.Value(), 0);
    EXPECT_EQ(frame_tops(), design);
    EXPECT_EQ(status().Label3.pixel_rect().top, label_before.top);
    EXPECT_EQ(status().Picture1.Top(), 0);
    EXPECT_EQ(status().VScroll1.Top(), 1080);
}

TEST_F(SystemStatus, TheMainWindowsSystemStatusLabelOpensIt)
{
    app->Form1.Show();
    // The tests share one display, so the pointer is not theirs to move: the click goes to
    // the handler the main window binds to its label.
    app->Form1.Label21.on_click();
    EXPECT_TRUE(status().is_loaded());
    EXPECT_TRUE(status().Visible());
    EXPECT_TRUE(IsWindowVisible(status().hWnd()));
    EXPECT_EQ(status().Caption(), "Pellmaris");
    EXPECT_TRUE(app->Form1.Visible());
}

} // namespace
