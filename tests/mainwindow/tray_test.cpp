// The main window's notification-area icon.
#include <cstring>
#include "form1_fixture.h"
#include "runtime/forms.h"

using namespace pellmaris;

namespace {

constexpr int kTipLength = 64;

class Tray : public form1test::Form1Test {
protected:
    void minimise()
    {
        form().Show();
        form().WindowState(rt::vbMinimized);
    }

    // The user presses or releases a button on the icon: the shell's callback, through
    // the window procedure.
    void tray_callback(UINT mouse_message) { fakes.tray->user_action(mouse_message); }

    int calls_of(DWORD message) const
    {
        int n = 0;
        for (const auto& call : fakes.tray->calls)
            n += call.first == message;
        return n;
    }
};

TEST_F(Tray, MinimisingWithTheTraySettingHidesTheWindowBehindAFullyDescribedIcon)
{
    set_line(kMinimizeToTray, "1");
    minimise();

    ASSERT_EQ(fakes.tray->calls.size(), 1u);
    const auto& [message, data] = fakes.tray->calls[0];
    EXPECT_EQ(message, static_cast<DWORD>(NIM_ADD));
    EXPECT_EQ(data.cbSize, NOTIFYICONDATAW_V1_SIZE);
    EXPECT_EQ(data.hWnd, form().hWnd());
    EXPECT_EQ(data.uID, 1u);
    EXPECT_EQ(data.uFlags, 7u);
    EXPECT_EQ(data.uCallbackMessage, 512u);
    EXPECT_NE(data.hIcon, nullptr);
    EXPECT_EQ(data.hIcon, form().Icon());
    EXPECT_EQ(std::wstring(data.szTip), L"Pellmaris");
    EXPECT_EQ(data.szTip[kTipLength - 2], L' ');   // blanks after the title's end

    EXPECT_FALSE(form().Visible());
    EXPECT_EQ(form().WindowState(), rt::vbNormal);
    EXPECT_EQ(form().auto_clean_armed, 1);
}

TEST_F(Tray, LeftPressAndRightReleaseOnTheIconBringBackANormalWindowAndRemoveTheIcon)
{
    set_line(kMinimizeToTray, "1");
    for (UINT restoring : {513u, 517u}) {
        SCOPED_TRACE(restoring);
        fakes.tray->calls.clear();
        minimise();
        ASSERT_FALSE(form().Visible());

        tray_callback(restoring);

        EXPECT_TRUE(form().Visible());
        EXPECT_EQ(form().WindowState(), rt::vbNormal);
        ASSERT_EQ(fakes.tray->calls.size(), 2u);
        EXPECT_EQ(fakes.tray->calls[1].first, static_cast<DWORD>(NIM_DELETE));
        EXPECT_EQ(fakes.tray->calls[1].second.uID, 1u);
        EXPECT_EQ(fakes.tray->calls[1].second.hWnd, form().hWnd());
    }
    EXPECT_EQ(form().auto_clean_armed, 1);   // stays armed after the window came back
}

TEST_F(Tray, AWindowSentToTheTrayAtStartComesBackNormal)
{
    set_line(kTrayOnStartup, "1");
    set_line(kMinimizeToTray, "0");
    form().Load();
    ASSERT_TRUE(form().tray_icon_added);
    ASSERT_FALSE(form().Visible());

    tray_callback(513);
    EXPECT_TRUE(form().Visible());
    EXPECT_EQ(form().WindowState(), rt::vbNormal);
    EXPECT_EQ(form().auto_clean_armed, 0);   // the start-up way does not arm the schedule
}

TEST_F(Tray, OtherIconCallbacksLeaveTheWindowInTheTray)
{
    set_line(kMinimizeToTray, "1");
    minimise();
    for (UINT other : {512u, 514u, 515u, 516u, 518u, 519u, 0u})
        tray_callback(other);

    EXPECT_FALSE(form().Visible());
    EXPECT_EQ(calls_of(NIM_DELETE), 0);
}

TEST_F(Tray, MouseMovesOverAShownWindowNeverCountAsIconCallbacks)
{
    form().Show();
    form().Form_MouseMove(0, 0, static_cast<float>(513 * rt::Screen::TwipsPerPixelX()), 0);   // 513 pixels in
    EXPECT_TRUE(form().Visible());
    EXPECT_TRUE(fakes.tray->calls.empty());
}

TEST_F(Tray, AnIconTheShellRefusesLeavesAPlainMinimisedWindow)
{
    set_line(kMinimizeToTray, "1");
    fakes.tray->succeed = false;
    minimise();

    EXPECT_GE(calls_of(NIM_ADD), 1);
    EXPECT_TRUE(form().Visible());
    EXPECT_EQ(form().WindowState(), rt::vbMinimized);
    EXPECT_FALSE(form().tray_icon_added);
    EXPECT_EQ(form().auto_clean_armed, 0);
}

TEST_F(Tray, MinimisingWithoutTheTraySettingLeavesAPlainMinimisedWindowUnarmed)
{
    set_line(kMinimizeToTray, "0");
    minimise();

    EXPECT_TRUE(fakes.tray->calls.empty());
    EXPECT_TRUE(form().Visible());
    EXPECT_EQ(form().WindowState(), rt::vbMinimized);
    EXPECT_EQ(form().auto_clean_armed, 0);
}

TEST_F(Tray, SendingTheWindowToTheTrayTwiceKeepsOneIcon)
{
    form().Show();
    form().minimize_to_tray();
    form().minimize_to_tray();
    EXPECT_EQ(calls_of(NIM_ADD), 1);
    EXPECT_FALSE(form().Visible());
    EXPECT_EQ(form().auto_clean_armed, 0);   // only the minimise button arms the schedule
}

TEST_F(Tray, AnExplorerRestartAddsTheIconAgainOnlyWhileItIsThere)
{
    const UINT taskbar_created = RegisterWindowMessageA("TaskbarCreated");
    set_line(kMinimizeToTray, "1");
    minimise();
    SendMessageA(form().hWnd(), taskbar_created, 0, 0);
    ASSERT_EQ(calls_of(NIM_ADD), 2);
    EXPECT_EQ(fakes.tray->calls[1].second.uID, 1u);
    EXPECT_EQ(fakes.tray->calls[1].second.hWnd, form().hWnd());

    tray_callback(513);
    SendMessageA(form().hWnd(), taskbar_created, 0, 0);
    EXPECT_EQ(calls_of(NIM_ADD), 2);
}

TEST_F(Tray, AnIconRefusedAfterAnExplorerRestartShowsTheWindowAgain)
{
    set_line(kMinimizeToTray, "1");
    minimise();
    ASSERT_FALSE(IsWindowVisible(form().hWnd()));
    fakes.tray->succeed = false;
    SendMessageW(form().hWnd(), RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);

    EXPECT_TRUE(IsWindowVisible(form().hWnd()));
    EXPECT_EQ(form().WindowState(), rt::vbNormal);
    EXPECT_FALSE(form().tray_icon_added);
}

// At every display scaling the icon's callback, turned into twips and back, is the mouse
// message it was: 175 %, 200 % and 225 % once lost it to a whole-number twips-per-pixel.
TEST_F(Tray, TheIconBringsTheWindowBackAtEveryDisplayScaling)
{
    set_line(kMinimizeToTray, "1");
    for (int dpi : {96, 120, 144, 168, 192, 216}) {
        SCOPED_TRACE(dpi);
        rt::ScreenScaling scaling(dpi);
        app = std::make_unique<pellmaris::Program>(testsupport::make_fake_system(dir.path(), fakes));
        minimise();
        ASSERT_FALSE(IsWindowVisible(form().hWnd()));

        for (UINT other : {512u, 514u, 516u})
            tray_callback(other);
        EXPECT_FALSE(IsWindowVisible(form().hWnd()));

        tray_callback(WM_LBUTTONDOWN);
        EXPECT_TRUE(IsWindowVisible(form().hWnd()));
        EXPECT_EQ(calls_of(NIM_DELETE), 1);
        app.reset();   // its windows go while the scaling still holds
    }
}

} // namespace
