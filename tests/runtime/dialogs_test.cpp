// The real message box and input box, answered by a timer while they are open.
#include <windows.h>
#include <gtest/gtest.h>
#include "runtime/forms.h"
#include "support/scratch.h"
#include "support/user_clicks.h"

namespace {

// Every test program in the prefix shares one desktop: the title names this process.
const std::string kBoxTitle = "Pellmaris dialog test " + std::to_string(GetCurrentProcessId());

class TickingForm : public rt::Form {
public:
    explicit TickingForm(rt::System& sys) : rt::Form(sys, "TickingForm") { Timer1.on_timer = [this] { tick(); }; }
    rt::Timer Timer1{*this, "Timer1"};
    int ticks = 0;
    std::function<void(int)> on_tick;

private:
    void tick()
    {
        ++ticks;
        if (on_tick)
            on_tick(ticks);
    }
};

// Presses a button of the open message box.
void answer_message_box(int button)
{
    HWND box = FindWindowA("#32770", kBoxTitle.c_str());
    if (box)
        PostMessageA(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
}

TEST(RealDialogs, MessageBoxIsModalButTimersTickAndTheAnswerComesBack)
{
    rt::System sys;
    TickingForm form(sys);
    form.Timer1.Interval(30);
    form.on_tick = [](int ticks) {
        if (ticks >= 5)   // until the box is found
            answer_message_box(IDNO);
    };
    int answer = sys.MsgBox("Shut down now?", rt::vbYesNo + rt::vbQuestion, kBoxTitle);
    EXPECT_EQ(answer, rt::vbNo);
    EXPECT_GE(form.ticks, 5);
}

std::string g_typed;
bool g_cancel = false;

void CALLBACK fill_input_box(HWND, UINT, UINT_PTR id, DWORD)
{
    HWND box = FindWindowA("PellmarisInputBox", kBoxTitle.c_str());
    if (!box)
        return;
    KillTimer(nullptr, id);
    if (g_cancel) {
        PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        return;
    }
    SetWindowTextA(FindWindowExA(box, nullptr, "EDIT", nullptr), g_typed.c_str());
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
}

TEST(RealDialogs, InputBoxReturnsTheTypedTextOrNothingOnCancel)
{
    rt::System sys;
    g_typed = "*.tmp";
    g_cancel = false;
    SetTimer(nullptr, 0, 50, fill_input_box);
    std::optional<std::string> typed = sys.dialogs->input_box("Extension to add", kBoxTitle, "*.");
    ASSERT_TRUE(typed.has_value());
    EXPECT_EQ(*typed, "*.tmp");

    g_cancel = true;
    SetTimer(nullptr, 0, 50, fill_input_box);
    EXPECT_FALSE(sys.dialogs->input_box("Extension to add", kBoxTitle, "*.").has_value());
}

// A box, two buttons, and a timer that answers the message box.
class FocusForm : public rt::Form {
public:
    explicit FocusForm(rt::System& sys) : rt::Form(sys, "FocusForm")
    {
        Timer1.on_timer = [] { answer_message_box(IDOK); };
    }
    rt::TextBox Text1{*this, "Text1"};
    rt::CommandButton Command1{*this, "Command1"}, Command2{*this, "Command2"};
    rt::Timer Timer1{*this, "Timer1"};

protected:
    void design() override
    {
        ScaleSize(4000, 1500);
        Text1.Move(120, 120, 2000, 300);
        Command1.Move(120, 600, 1200, 400);
        Command2.Move(1440, 600, 1200, 400);
        Timer1.Interval(0);
    }
};

// Lets the window system's activation events come in, for a while at most.
void settle(rt::System& sys, const std::function<bool()>& until)
{
    for (int i = 0; i < 100 && !until(); ++i) {
        sys.DoEvents();
        Sleep(20);
    }
}

TEST(RealDialogs, AMessageBoxGivesTheFocusBackWhereItWas)
{
    rt::System sys;
    FocusForm form(sys);
    form.Show();
    settle(sys, [&] { return GetFocus() != nullptr; });
    ASSERT_EQ(GetFocus(), form.Text1.hWnd());
    testsupport::press_keys(form, VK_TAB, 2);
    ASSERT_EQ(GetFocus(), form.Command2.hWnd());
    form.Timer1.Interval(30);
    sys.MsgBox("Saved.", rt::vbOKOnly, kBoxTitle);
    form.Timer1.Interval(0);
    settle(sys, [&] { return GetFocus() != nullptr; });
    EXPECT_EQ(GetFocus(), form.Command2.hWnd());
}

} // namespace
