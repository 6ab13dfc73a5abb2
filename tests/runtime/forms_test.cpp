// The windows layer under Wine: implicit load, unload, deferral, timers, controls.
#include <windows.h>
#include <commctrl.h>
#include <chrono>
#include <gtest/gtest.h>
#include "runtime/errors.h"
#include "runtime/forms.h"
#include "support/fakes.h"
#include "support/scratch.h"

namespace {

using Clock = std::chrono::steady_clock;

// A window with every kind of control, counting its events.
class TestForm : public rt::Form {
public:
    explicit TestForm(rt::System& sys) : rt::Form(sys, "TestForm")
    {
        Check1.on_click = [this] { ++check_clicks; };
        Option1.on_click = [this] { ++option_clicks; };
        List1.on_click = [this] { ++list_clicks; };
        Command1.on_click = [this] { Command1_Click(); };
        Timer1.on_timer = [this] { Timer1_Timer(); };
        Label1.on_mouse_move = [this](int, int, float x, float y) {
            ++label_moves;
            label_move_x = x;
            label_move_y = y;
        };
        Label1.on_click = [this] { ++label_clicks; };
    }

    rt::Label Label1{*this, "Label1"};
    rt::PictureBox Picture1{*this, "Picture1"};
    rt::Image Image1{*this, "Image1"};
    rt::ListBox List1{*this, "List1"};
    rt::ListBox List2{*this, "List2"};
    rt::CheckBox Check1{*this, "Check1"};
    rt::OptionButton Option1{*this, "Option1"};
    rt::OptionButton Option2{*this, "Option2"};
    rt::Frame Frame1{*this, "Frame1"};
    rt::OptionButton Option3{*this, "Option3"};
    rt::OptionButton Option4{*this, "Option4"};
    rt::CommandButton Command1{*this, "Command1"};
    rt::TextBox Text1{*this, "Text1"};
    rt::VScrollBar VScroll1{*this, "VScroll1"};
    rt::Timer Timer1{*this, "Timer1"};
    rt::ProgressBar ProgressBar1{*this, "ProgressBar1"};
    rt::Slider Slider1{*this, "Slider1"};
    rt::TabStrip TabStrip1{*this, "TabStrip1"};
    rt::DriveListBox Drive1{*this, "Drive1"};
    rt::DirListBox Dir1{*this, "Dir1"};
    rt::FileListBox File1{*this, "File1"};
    rt::Animation Animation1{*this, "Animation1"};

    int loads = 0, unloads = 0, query_unloads = 0, last_unload_mode = -1;
    int cancel_unload = 0;
    std::string caption_seen_at_load;
    int check_clicks = 0, option_clicks = 0, list_clicks = 0, label_moves = 0, label_clicks = 0;
    float label_move_x = -1, label_move_y = -1;
    int ticks = 0, tick_depth = 0, deepest_tick = 0;
    std::function<void()> during_tick;
    std::function<void()> during_command;
    std::vector<std::pair<float, float>> form_moves;

    void Command1_Click()
    {
        if (during_command)
            during_command();
    }

    void Timer1_Timer()
    {
        ++ticks;
        ++tick_depth;
        deepest_tick = std::max(deepest_tick, tick_depth);
        if (during_tick)
            during_tick();
        --tick_depth;
    }

    using rt::Form::DoEvents;
    using rt::Form::MsgBox;

protected:
    void design() override
    {
        Caption("Test window");
        ScaleSize(9000, 6000);
        BackColor(RGB(255, 255, 255));
        Label1.Caption("design caption");
        Label1.Move(120, 120, 3000, 300);
        Picture1.Move(6000, 120, 1500, 1500);
        Image1.Move(6000, 1800, 1500, 1500);
        List2.MultiSelect(true);
        Frame1.Move(4000, 3000, 3000, 1500);
        Option3.Container(&Frame1);
        Option4.Container(&Frame1);
        Option3.Move(120, 240, 1500, 300);
        Option4.Move(120, 600, 1500, 300);
        Timer1.Interval(0);
        ProgressBar1.Move(120, 5000, 4000, 300);
    }
    void Form_Load() override
    {
        ++loads;
        caption_seen_at_load = Label1.Caption();
        Label1.Caption("set by load");
    }
    void Form_QueryUnload(int& cancel, int mode) override
    {
        ++query_unloads;
        last_unload_mode = mode;
        cancel = cancel_unload;
    }
    void Form_Unload(int&) override { ++unloads; }
    void Form_MouseMove(int, int, float x, float y) override { form_moves.emplace_back(x, y); }
};

class FormsTest : public ::testing::Test {
protected:
    testsupport::ScratchDir dir;
    testsupport::Fakes fakes;
    std::unique_ptr<rt::System> sys = testsupport::make_fake_system(dir.path(), fakes);
    TestForm form{*sys};

    // Runs the message loop for a while.
    void pump_for(int ms)
    {
        auto end = Clock::now() + std::chrono::milliseconds(ms);
        while (Clock::now() < end) {
            sys->DoEvents();
            Sleep(5);
        }
    }
    void click(rt::Control& c, WORD code = BN_CLICKED)
    {
        SendMessageW(form.hWnd(), WM_COMMAND, MAKEWPARAM(c.id(), code), reinterpret_cast<LPARAM>(c.hWnd()));
    }
};

// ---- loading and unloading ----

TEST_F(FormsTest, TouchingAPropertyLoadsOnceAndLoadRunsBeforeTheRead)
{
    EXPECT_FALSE(form.is_loaded());
    EXPECT_EQ(form.loads, 0);
    EXPECT_EQ(form.Label1.Caption(), "set by load");
    EXPECT_TRUE(form.is_loaded());
    EXPECT_EQ(form.caption_seen_at_load, "design caption");
    form.List1.AddItem("x");
    form.Check1.Value(1);
    form.Caption();
    EXPECT_EQ(form.loads, 1);
    EXPECT_NE(form.hWnd(), nullptr);
    EXPECT_FALSE(IsWindowVisible(form.hWnd()));   // loaded hidden
}

TEST_F(FormsTest, IsLoadedDoesNotLoad)
{
    EXPECT_FALSE(form.is_loaded());
    EXPECT_FALSE(form.is_loaded());
    EXPECT_EQ(form.loads, 0);
    EXPECT_EQ(form.List1.Parent().Name(), "TestForm");   // names need no load either
    EXPECT_EQ(form.loads, 0);
}

TEST_F(FormsTest, UnloadThenTouchLoadsAfreshWithDesignValues)
{
    form.Label1.Caption("changed");
    form.List1.AddItem("a");
    form.Check1.Value(1);
    form.Label1.Move(999, 999, 999, 999);
    HWND first = form.hWnd();
    ASSERT_TRUE(form.Unload());
    EXPECT_FALSE(form.is_loaded());
    EXPECT_FALSE(IsWindow(first));
    EXPECT_EQ(form.query_unloads, 1);
    EXPECT_EQ(form.unloads, 1);
    EXPECT_EQ(form.last_unload_mode, rt::vbFormCode);

    EXPECT_EQ(form.List1.ListCount(), 0);
    EXPECT_EQ(form.loads, 2);
    EXPECT_EQ(form.caption_seen_at_load, "design caption");
    EXPECT_EQ(form.Check1.Value(), 0);
    EXPECT_EQ(form.Label1.Left(), 120);
    EXPECT_EQ(form.Label1.Width(), 3000);
}

TEST_F(FormsTest, CancelledUnloadKeepsTheWindowAndItsState)
{
    form.List1.AddItem("kept");
    form.cancel_unload = 1;
    EXPECT_FALSE(form.Unload());
    EXPECT_TRUE(form.is_loaded());
    EXPECT_EQ(form.unloads, 0);
    EXPECT_EQ(form.List1.List(0), "kept");
}

TEST_F(FormsTest, CloseBoxUnloadsWithTheControlMenuMode)
{
    HWND hwnd = form.hWnd();
    SendMessageW(hwnd, WM_CLOSE, 0, 0);
    EXPECT_FALSE(form.is_loaded());
    EXPECT_EQ(form.last_unload_mode, rt::vbFormControlMenu);
    EXPECT_FALSE(IsWindow(hwnd));
}

TEST_F(FormsTest, UnloadInsideTheWindowsOwnHandlerWaitsForItsEnd)
{
    bool loaded_after_request = false;
    std::string caption_after_request;
    form.during_command = [&] {
        form.Unload();
        loaded_after_request = form.is_loaded();
        caption_after_request = form.Label1.Caption();
    };
    click(form.Command1);
    EXPECT_TRUE(loaded_after_request);
    EXPECT_EQ(caption_after_request, "set by load");
    EXPECT_FALSE(form.is_loaded());
    EXPECT_EQ(form.unloads, 1);
    EXPECT_EQ(form.loads, 1);
}

TEST_F(FormsTest, CloseBoxDuringAYieldingHandlerUnloadsAfterIt)
{
    bool still_loaded = false;
    form.during_command = [&] {
        PostMessageA(form.hWnd(), WM_CLOSE, 0, 0);
        form.DoEvents();
        still_loaded = form.is_loaded();
    };
    click(form.Command1);
    EXPECT_TRUE(still_loaded);
    EXPECT_FALSE(form.is_loaded());
    EXPECT_EQ(form.last_unload_mode, rt::vbFormControlMenu);
}

TEST_F(FormsTest, AnErrorInAnEventHandlerIsReportedAndTheLoopGoesOn)
{
    form.during_command = [] { rt::raise(rt::errFileNotFound); };
    click(form.Command1);
    ASSERT_EQ(fakes.dialogs->prompts.size(), 1u);
    EXPECT_NE(fakes.dialogs->prompts[0].text.find("53"), std::string::npos);
    EXPECT_NE(fakes.dialogs->prompts[0].text.find("File not found"), std::string::npos);
    EXPECT_TRUE(form.is_loaded());
}

// ---- timers ----

TEST_F(FormsTest, TimerTicksDuringAYieldLoop)
{
    form.Timer1.Interval(40);
    pump_for(500);
    EXPECT_GE(form.ticks, 4);
    form.Timer1.Enabled(false);
    int stopped_at = form.ticks;
    pump_for(200);
    EXPECT_EQ(form.ticks, stopped_at);
}

TEST_F(FormsTest, TimerNeverReentersItsOwnRunningHandler)
{
    form.Timer1.Interval(20);
    form.during_tick = [&] { pump_for(150); };   // the handler yields for longer than the period
    pump_for(600);
    EXPECT_GE(form.ticks, 2);
    EXPECT_EQ(form.deepest_tick, 1);
}

TEST_F(FormsTest, TimerTicksWhileAModalMessageBoxIsOpen)
{
    form.Timer1.Interval(30);
    int ticks_in_box = -1;
    fakes.dialogs->while_open = [&] {
        int before = form.ticks;
        pump_for(300);
        ticks_in_box = form.ticks - before;
    };
    fakes.dialogs->answers = {rt::vbYes};
    EXPECT_EQ(form.MsgBox("Shut down?", rt::vbYesNo), rt::vbYes);
    EXPECT_GE(ticks_in_box, 3);
}

TEST_F(FormsTest, EnablingATimerAgainRestartsItsPeriod)
{
    form.Timer1.Interval(1000);
    pump_for(600);
    form.Timer1.Enabled(true);   // without the restart it would tick at 1000 ms
    pump_for(700);
    EXPECT_EQ(form.ticks, 0);
    pump_for(700);
    EXPECT_EQ(form.ticks, 1);
}

TEST_F(FormsTest, IntervalZeroNeverFiresAndTouchingATimerLoadsTheWindow)
{
    EXPECT_TRUE(form.Timer1.Enabled());
    EXPECT_TRUE(form.is_loaded());
    pump_for(200);
    EXPECT_EQ(form.ticks, 0);
}

TEST_F(FormsTest, TimersStopWithTheirWindow)
{
    form.Timer1.Interval(20);
    pump_for(100);
    ASSERT_GT(form.ticks, 0);
    form.Unload();
    int at_unload = form.ticks;
    pump_for(200);
    EXPECT_EQ(form.ticks, at_unload);
}

TEST_F(FormsTest, DoEventsKeepsAQuitForTheOuterLoop)
{
    form.Load();
    int hooks = 0;
    sys->yield_hook = [&] { ++hooks; };
    PostQuitMessage(7);
    sys->DoEvents();
    EXPECT_EQ(hooks, 1);
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 7u);
}

// ---- controls ----

TEST_F(FormsTest, ProgressBarAcceptsAnEmptyRangeAndClampsValues)
{
    form.ProgressBar1.Min(0);
    form.ProgressBar1.Max(0);
    form.ProgressBar1.Value(0);
    form.ProgressBar1.Value(5);
    EXPECT_EQ(form.ProgressBar1.Value(), 0);
    form.ProgressBar1.Max(10);
    form.ProgressBar1.Value(-3);
    EXPECT_EQ(form.ProgressBar1.Value(), 0);
    form.ProgressBar1.Value(11);
    EXPECT_EQ(form.ProgressBar1.Value(), 10);
    EXPECT_EQ(SendMessageW(form.ProgressBar1.hWnd(), PBM_GETPOS, 0, 0), 10);
}

// The text of a row as the list window holds it: what a screen reader reads.
std::wstring window_row(HWND list, long row)
{
    LRESULT n = SendMessageW(list, LB_GETTEXTLEN, row, 0);
    if (n == LB_ERR)
        return L"<none>";
    std::wstring text(static_cast<size_t>(n) + 1, L'\0');
    n = SendMessageW(list, LB_GETTEXT, row, reinterpret_cast<LPARAM>(text.data()));
    text.resize(n == LB_ERR ? 0 : static_cast<size_t>(n));
    return text;
}

TEST_F(FormsTest, ListHoldsAHundredThousandEntriesQuickly)
{
    auto start = Clock::now();
    for (int i = 0; i < 100000; ++i)
        form.List1.AddItem("entry " + std::to_string(i));
    form.DoEvents();
    auto took = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
    EXPECT_EQ(form.List1.ListCount(), 100000);
    EXPECT_EQ(form.List1.List(99999), "entry 99999");
    EXPECT_EQ(form.List1.List(100000), "");
    EXPECT_EQ(SendMessageW(form.List1.hWnd(), LB_GETCOUNT, 0, 0), 100000);
    EXPECT_EQ(window_row(form.List1.hWnd(), 99999), L"entry 99999");
    // About 10 us a row alone; the bar leaves room for a loaded machine, but not for a
    // cost per window message such as the common controls' subclass helper (150 us).
    EXPECT_LT(took, 10000);
}

// Every edit reaches the window's own strings, so other programs read what the list shows.
TEST_F(FormsTest, ListWindowHoldsTheRowsAsStringsThroughEveryEdit)
{
    HWND list = form.List1.hWnd();
    for (const char* s : {"alpha", "\xd0\x96\xd1\x83\xd0\xba", "\xe4\xb8\xad\xe6\x96\x87", "\xf0\x9f\x98\x80 smile"})
        form.List1.AddItem(s);
    form.DoEvents();
    EXPECT_EQ(window_row(list, 0), L"alpha");
    EXPECT_EQ(window_row(list, 1), L"\u0416\u0443\u043a");
    EXPECT_EQ(window_row(list, 2), L"\u4e2d\u6587");
    EXPECT_EQ(window_row(list, 3), L"\U0001F600 smile");

    form.List1.RemoveItem(1);
    form.List1.AddItem("first", 0);
    form.List1.List(2, "renamed");
    form.List1.AddItem("last");
    form.DoEvents();
    const std::vector<std::wstring> expected{L"first", L"alpha", L"renamed", L"\U0001F600 smile", L"last"};
    ASSERT_EQ(SendMessageW(list, LB_GETCOUNT, 0, 0), static_cast<LRESULT>(expected.size()));
    for (size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(window_row(list, static_cast<long>(i)), expected[i]) << i;

    form.List1.Clear();
    form.List1.AddItem("again");
    form.DoEvents();
    EXPECT_EQ(SendMessageW(list, LB_GETCOUNT, 0, 0), 1);
    EXPECT_EQ(window_row(list, 0), L"again");
}

TEST_F(FormsTest, ListEditsKeepTheSelectionOnTheRightRow)
{
    for (const char* s : {"a", "b", "c", "d"})
        form.List1.AddItem(s);
    form.List1.ListIndex(2);
    form.List1.RemoveItem(0);
    EXPECT_EQ(form.List1.ListIndex(), 1);
    EXPECT_EQ(form.List1.List(1), "c");
    form.List1.AddItem("first", 0);
    EXPECT_EQ(form.List1.ListIndex(), 2);
    form.List1.RemoveItem(2);
    EXPECT_EQ(form.List1.ListIndex(), -1);
    EXPECT_THROW(form.List1.RemoveItem(3), rt::RuntimeError);
    form.List1.List(0, "renamed");
    EXPECT_EQ(form.List1.List(0), "renamed");
    form.List1.Clear();
    EXPECT_EQ(form.List1.ListCount(), 0);
    EXPECT_EQ(form.List1.ListIndex(), -1);
}

TEST_F(FormsTest, CodeSelectionRaisesNoClickButTheUsersDoes)
{
    for (const char* s : {"a", "b", "c"})
        form.List1.AddItem(s);
    form.List1.ListIndex(1);
    form.List1.Selected(2, true);
    form.DoEvents();
    EXPECT_EQ(form.list_clicks, 0);
    EXPECT_EQ(SendMessageW(form.List1.hWnd(), LB_GETCURSEL, 0, 0), 2);

    SendMessageW(form.List1.hWnd(), LB_SETCURSEL, 0, 0);   // as a user's click leaves it
    click(form.List1, LBN_SELCHANGE);
    EXPECT_EQ(form.list_clicks, 1);
    EXPECT_EQ(form.List1.ListIndex(), 0);
}

// The rows are drawn by the layer from its own strings.
TEST_F(FormsTest, ListWindowDrawsItsRows)
{
    form.List1.Move(120, 600, 3000, 2000);
    form.List1.AddItem("WWWWWWWWWWWW");
    form.List1.AddItem("");
    form.Move(0, 0);
    form.Show();
    form.DoEvents();
    HWND list = form.List1.hWnd();
    UpdateWindow(list);
    RECT row0, row1;
    SendMessageW(list, LB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&row0));
    SendMessageW(list, LB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&row1));
    auto dark_pixels = [&](const RECT& r) {
        HDC dc = GetDC(list);
        int dark = 0;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                if (GetRValue(GetPixel(dc, x, y)) < 128)
                    ++dark;
        ReleaseDC(list, dc);
        return dark;
    };
    EXPECT_GT(dark_pixels(row0), 20);
    EXPECT_EQ(dark_pixels(row1), 0);
}

TEST_F(FormsTest, MultiSelectListKeepsEveryRowsSelection)
{
    for (int i = 0; i < 5; ++i)
        form.List2.AddItem("row " + std::to_string(i));
    form.List2.Selected(1, true);
    form.List2.Selected(3, true);
    EXPECT_TRUE(form.List2.Selected(1));
    EXPECT_FALSE(form.List2.Selected(2));
    EXPECT_TRUE(form.List2.Selected(3));
    form.DoEvents();
    HWND list = form.List2.hWnd();
    EXPECT_EQ(SendMessageW(list, LB_GETSELCOUNT, 0, 0), 2);
    EXPECT_GT(SendMessageW(list, LB_GETSEL, 3, 0), 0);

    SendMessageW(list, LB_SETSEL, TRUE, 4);   // the user adds a row
    click(form.List2, LBN_SELCHANGE);
    EXPECT_TRUE(form.List2.Selected(4));
    EXPECT_TRUE(form.List2.Selected(1));
}

TEST_F(FormsTest, SettingCheckBoxValueRaisesClickWhenItChanges)
{
    form.Check1.Value(1);
    EXPECT_EQ(form.check_clicks, 1);
    form.Check1.Value(1);
    EXPECT_EQ(form.check_clicks, 1);
    form.Check1.Value(0);
    EXPECT_EQ(form.check_clicks, 2);
    EXPECT_EQ(SendMessageW(form.Check1.hWnd(), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_THROW(form.Check1.Value(3), rt::RuntimeError);

    click(form.Check1);   // the user's click toggles it
    EXPECT_EQ(form.Check1.Value(), 1);
    EXPECT_EQ(form.check_clicks, 3);
}

TEST_F(FormsTest, OptionButtonsAreExclusiveWithinTheirContainer)
{
    form.Option1.Value(true);
    form.Option3.Value(true);
    EXPECT_TRUE(form.Option1.Value());   // another container's group
    form.Option2.Value(true);
    EXPECT_FALSE(form.Option1.Value());
    EXPECT_TRUE(form.Option3.Value());
    form.Option4.Value(true);
    EXPECT_FALSE(form.Option3.Value());
    EXPECT_TRUE(form.Option2.Value());
    EXPECT_EQ(form.Frame1.children("OptionButton").size(), 2u);

    click(form.Option1);   // the user picks Option1
    EXPECT_TRUE(form.Option1.Value());
    EXPECT_FALSE(form.Option2.Value());
    EXPECT_EQ(SendMessageW(form.Option2.hWnd(), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(form.option_clicks, 2);
}

TEST_F(FormsTest, ControlsInAFrameMoveAndHideWithIt)
{
    form.Load();
    RECT before = form.Option3.pixel_rect();
    form.Frame1.Left(form.Frame1.Left() + 1500);
    RECT after = form.Option3.pixel_rect();
    EXPECT_EQ(after.left - before.left, rt::twips_to_pixels_x(1500));
    RECT window;
    GetWindowRect(form.Option3.hWnd(), &window);
    POINT origin{window.left, window.top};
    ScreenToClient(form.hWnd(), &origin);
    EXPECT_EQ(origin.x, after.left);
    form.Frame1.Visible(false);
    EXPECT_FALSE(IsWindowVisible(form.Option3.hWnd()));
    EXPECT_TRUE(form.Option3.Visible());
}

TEST_F(FormsTest, EnumeratesTheWindowsControls)
{
    EXPECT_EQ(form.controls().size(), 22u);
    EXPECT_EQ(form.controls_of("OptionButton").size(), 4u);
    EXPECT_EQ(form.controls_of("Timer")[0]->Name(), "Timer1");
}

TEST_F(FormsTest, ScrollBarAndSliderKeepTheirRange)
{
    int changes = 0;
    form.VScroll1.on_change = [&] { ++changes; };
    form.VScroll1.Max(100);
    form.VScroll1.Value(40);
    EXPECT_EQ(changes, 1);
    EXPECT_THROW(form.VScroll1.Value(101), rt::RuntimeError);
    EXPECT_EQ(GetScrollPos(form.VScroll1.hWnd(), SB_CTL), 40);
    form.VScroll1.SmallChange(5);
    form.VScroll1.handle_scroll(SB_LINEDOWN);
    EXPECT_EQ(form.VScroll1.Value(), 45);
    EXPECT_EQ(changes, 2);

    form.Slider1.Min(50);
    form.Slider1.Max(200);
    form.Slider1.Value(500);
    EXPECT_EQ(form.Slider1.Value(), 200);
    EXPECT_EQ(SendMessageW(form.Slider1.hWnd(), TBM_GETPOS, 0, 0), 200);
}

TEST_F(FormsTest, TextBoxKeepsTextAndMasksItWithThePasswordChar)
{
    int changes = 0;
    form.Text1.on_change = [&] { ++changes; };
    form.Text1.PasswordChar('*');
    form.Text1.Text("secret");
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(SendMessageW(form.Text1.hWnd(), EM_GETPASSWORDCHAR, 0, 0), '*');
    form.Text1.PasswordChar(0);
    EXPECT_EQ(SendMessageW(form.Text1.hWnd(), EM_GETPASSWORDCHAR, 0, 0), 0);
    SetWindowTextW(form.Text1.hWnd(), L"typed");   // the user types
    EXPECT_EQ(form.Text1.Text(), "typed");
    EXPECT_EQ(changes, 2);
}

TEST_F(FormsTest, FileListsFollowTheirFolder)
{
    testsupport::make_dirs(dir / "sub");
    testsupport::write_bytes(dir / "b.txt", "x");
    testsupport::write_bytes(dir / "a.log", "x");
    int path_changes = 0;
    form.Dir1.on_change = [&] { ++path_changes; };
    form.Dir1.Path(dir.path());
    EXPECT_EQ(path_changes, 1);
    ASSERT_EQ(form.Dir1.ListCount(), 1);
    EXPECT_EQ(form.Dir1.List(0), dir / "sub");
    EXPECT_THROW(form.Dir1.Path(dir / "missing"), rt::RuntimeError);

    form.File1.Path(dir.path());
    ASSERT_EQ(form.File1.ListCount(), 2);
    EXPECT_EQ(form.File1.List(0), "a.log");
    form.File1.Pattern("*.txt");
    EXPECT_EQ(form.File1.ListCount(), 1);
    form.File1.ListIndex(0);
    EXPECT_EQ(form.File1.FileName(), "b.txt");

    EXPECT_THROW(form.Drive1.Drive("q:"), rt::RuntimeError);   // no such drive in the test prefix
    form.Drive1.Drive("s:");
    EXPECT_EQ(form.Drive1.Drive().substr(0, 2), "s:");
}

TEST_F(FormsTest, AnimationToleratesAFileItCannotOpen)
{
    EXPECT_FALSE(form.Animation1.Open(dir / "missing.avi"));
    form.Animation1.Play();
    form.Animation1.Stop();
}

// ---- geometry ----

TEST_F(FormsTest, TwipsRoundTripThroughPixels)
{
    long tpp = rt::Screen::TwipsPerPixelX();
    ASSERT_GT(tpp, 0);
    for (long px : {0L, 1L, 17L, 513L, 1280L, -3L})
        EXPECT_EQ(rt::twips_to_pixels_x(rt::pixels_to_twips_x(px)), px);
    EXPECT_EQ(rt::pixels_to_twips_x(513) / tpp, 513);
    EXPECT_EQ(rt::Screen::Width(), GetSystemMetrics(SM_CXSCREEN) * tpp);

    form.Label1.Move(1500, 750, 3000, 300);
    RECT r = form.Label1.pixel_rect();
    EXPECT_EQ(r.left, 1500 / tpp);
    EXPECT_EQ(r.right - r.left, 3000 / tpp);
}

TEST_F(FormsTest, ClientSizeAndOuterSizeAreInTwips)
{
    EXPECT_EQ(form.ScaleWidth(), 9000);
    EXPECT_EQ(form.ScaleHeight(), 6000);
    EXPECT_GT(form.Width(), 9000);
    RECT client;
    GetClientRect(form.hWnd(), &client);
    EXPECT_EQ(client.right, rt::twips_to_pixels_x(9000));
    form.Move(1500, 1500);
    form.Width(7500);
    RECT outer;
    GetWindowRect(form.hWnd(), &outer);
    EXPECT_EQ(outer.left, rt::twips_to_pixels_x(1500));
    EXPECT_EQ(outer.right - outer.left, rt::twips_to_pixels_x(7500));
    EXPECT_EQ(form.Width(), 7500);
}

// A long handler that grows or shows a window paints it before it goes on: no black
// strip waits for the next message.
TEST_F(FormsTest, AWindowThatGrowsOrShowsIsPaintedAtOnce)
{
    form.Move(0, 0);
    form.Show();
    form.DoEvents();
    ASSERT_FALSE(GetUpdateRect(form.hWnd(), nullptr, FALSE));

    form.ProgressBar1.Move(120, 6200, 4000, 300);   // below the bottom edge until the window grows
    form.ProgressBar1.Value(50);
    form.Height(form.Height() + 900);
    EXPECT_FALSE(GetUpdateRect(form.hWnd(), nullptr, FALSE));
    EXPECT_FALSE(GetUpdateRect(form.ProgressBar1.hWnd(), nullptr, FALSE));
    HDC dc = GetDC(form.hWnd());
    const RECT strip = form.ProgressBar1.pixel_rect();
    EXPECT_EQ(GetPixel(dc, strip.right + 5, strip.top + 2), RGB(255, 255, 255));   // the back colour, not black
    ReleaseDC(form.hWnd(), dc);

    form.Hide();
    form.List1.Move(120, 600, 3000, 2000);
    form.List1.AddItem("shown at once");
    form.Show();
    EXPECT_FALSE(GetUpdateRect(form.hWnd(), nullptr, FALSE));
    EXPECT_FALSE(GetUpdateRect(form.List1.hWnd(), nullptr, FALSE));
    EXPECT_EQ(SendMessageW(form.List1.hWnd(), LB_GETCOUNT, 0, 0), 1);
}

TEST_F(FormsTest, MinimisingAHiddenWindowStillRaisesResize)
{
    struct ResizeForm : rt::Form {
        using rt::Form::Form;
        std::vector<int> states;
        void Form_Resize() override { states.push_back(WindowState()); }
    } resize_form(*sys, "ResizeForm");
    resize_form.WindowState(rt::vbMinimized);
    ASSERT_FALSE(resize_form.states.empty());
    EXPECT_EQ(resize_form.states.back(), rt::vbMinimized);
}

// ---- mouse ----

TEST_F(FormsTest, TrayCallbackArrivesAsAMouseMoveOfTheWindow)
{
    HWND hwnd = form.hWnd();   // hidden, as a window in the notification area is
    SendMessageW(hwnd, rt::kTrayCallbackMessage, 1, WM_LBUTTONDOWN);
    ASSERT_EQ(form.form_moves.size(), 1u);
    EXPECT_EQ(form.form_moves[0].first / rt::Screen::TwipsPerPixelX(), WM_LBUTTONDOWN);
}

TEST_F(FormsTest, PointerOverALabelIsTheLabelsMouseMoveAndClick)
{
    form.Move(0, 0);
    form.Show();
    form.DoEvents();
    RECT r = form.Label1.pixel_rect();
    POINT at{r.left + 10, r.top + 5};
    POINT screen = at;
    ClientToScreen(form.hWnd(), &screen);
    SetCursorPos(screen.x, screen.y);
    LPARAM lp = MAKELPARAM(at.x, at.y);
    PostMessageA(form.hWnd(), WM_MOUSEMOVE, 0, lp);
    PostMessageA(form.hWnd(), WM_LBUTTONDOWN, MK_LBUTTON, lp);
    PostMessageA(form.hWnd(), WM_LBUTTONUP, 0, lp);
    form.DoEvents();
    EXPECT_EQ(form.label_moves, 1);
    EXPECT_EQ(form.label_move_x, rt::pixels_to_twips_x(10));
    EXPECT_EQ(form.label_clicks, 1);
    EXPECT_TRUE(form.form_moves.empty());

    form.Label1.Visible(false);   // the window's background now
    PostMessageA(form.hWnd(), WM_MOUSEMOVE, 0, lp);
    form.DoEvents();
    EXPECT_EQ(form.label_moves, 1);
    EXPECT_EQ(form.form_moves.size(), 1u);
}

// ---- text beyond the ANSI code page ----

TEST_F(FormsTest, CaptionsAndTextsShowCyrillicCjkAndEmojiAsThemselves)
{
    const std::string text = "\xd0\x96 \xe4\xb8\xad\xe6\x96\x87 \xf0\x9f\x98\x80";
    const std::wstring wide = L"\u0416 \u4e2d\u6587 \U0001F600";
    auto window_text = [](HWND hwnd) {
        std::wstring s(static_cast<size_t>(GetWindowTextLengthW(hwnd)) + 1, L'\0');
        s.resize(static_cast<size_t>(GetWindowTextW(hwnd, s.data(), static_cast<int>(s.size()))));
        return s;
    };
    form.Caption(text);
    form.Check1.Caption(text);
    form.Command1.Caption(text);
    form.Text1.Text(text);
    EXPECT_EQ(window_text(form.hWnd()), wide);
    EXPECT_EQ(window_text(form.Check1.hWnd()), wide);
    EXPECT_EQ(window_text(form.Command1.hWnd()), wide);
    EXPECT_EQ(window_text(form.Text1.hWnd()), wide);

    SetWindowTextW(form.Text1.hWnd(), L"\u4e2d");   // the user types
    EXPECT_EQ(form.Text1.Text(), "\xe4\xb8\xad");

    // A label takes the size of the text it draws.
    form.Label1.Font("Tahoma", 10);
    form.Label1.Caption(text);
    form.Label1.AutoSize(true);
    HDC dc = GetDC(nullptr);
    HFONT font = CreateFontW(-MulDiv(10, GetDeviceCaps(dc, LOGPIXELSY), 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                             DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                             DEFAULT_PITCH | FF_DONTCARE, L"Tahoma");
    HGDIOBJ old = SelectObject(dc, font);
    SIZE extent{};
    GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &extent);
    SelectObject(dc, old);
    DeleteObject(font);
    ReleaseDC(nullptr, dc);
    EXPECT_EQ(form.Label1.pixel_rect().right - form.Label1.pixel_rect().left, extent.cx);
}

// ---- seams ----

TEST_F(FormsTest, MessageBoxSeamRecordsThePromptAndReturnsTheScriptedAnswer)
{
    fakes.dialogs->answers = {rt::vbNo};
    int answer = form.MsgBox("Are You Sure You Want To Exit?\nReally", rt::vbYesNo + rt::vbQuestion);
    EXPECT_EQ(answer, rt::vbNo);
    ASSERT_EQ(fakes.dialogs->prompts.size(), 1u);
    EXPECT_EQ(fakes.dialogs->prompts[0].text, "Are You Sure You Want To Exit?\nReally");
    EXPECT_EQ(fakes.dialogs->prompts[0].title, "Pellmaris");   // the default title
    EXPECT_EQ(fakes.dialogs->prompts[0].style, rt::vbYesNo + rt::vbQuestion);
    form.MsgBox("x", rt::vbOKOnly, "Own title");
    EXPECT_EQ(fakes.dialogs->prompts[1].title, "Own title");
}

TEST_F(FormsTest, ProcessStartSeamRecordsCommandAndStyle)
{
    sys->Shell("shutdown -f -s -t 00", rt::vbMinimizedFocus);
    ASSERT_EQ(fakes.processes->started.size(), 1u);
    EXPECT_EQ(fakes.processes->started[0].command, "shutdown -f -s -t 00");
    EXPECT_EQ(fakes.processes->started[0].style, rt::vbMinimizedFocus);
    fakes.processes->fail = true;
    try {
        sys->Shell("missing.exe", rt::vbHide);
        FAIL();
    } catch (const rt::RuntimeError& e) {
        EXPECT_EQ(e.number(), 53);
    }
}

TEST_F(FormsTest, EndGoesThroughTheProgramEndSeam)
{
    sys->End();
    EXPECT_EQ(fakes.program_end->calls, 1);
}

TEST_F(FormsTest, PathIsTheProgramFolderAndTheName)
{
    EXPECT_EQ(sys->path("pmdb.lst"), dir.path() + "\\pmdb.lst");
    EXPECT_EQ(rt::version_text(), std::to_string(rt::app_version().major) + "." +
                                      std::to_string(rt::app_version().minor) + "." +
                                      std::to_string(rt::app_version().revision));
}

} // namespace
