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

    // The icon's callback: the mouse message arrives in X, in twips.
    void tray_callback(long mouse_message)
    {
        form().Form_MouseMove(0, 0, static_cast<float>(mouse_message * rt::Screen::TwipsPerPixelX()), 0);
    }

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
    for (long restoring : {513L, 517L}) {
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
    for (long other : {512L, 514L, 515L, 516L, 518L, 519L, 0L})
        tray_callback(other);

    EXPECT_FALSE(form().Visible());
    EXPECT_EQ(calls_of(NIM_DELETE), 0);
}

TEST_F(Tray, MouseMovesOverAShownWindowNeverCountAsIconCallbacks)
{
    form().Show();
    tray_callback(513);   // a pointer 513 pixels in from the left edge
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

} // namespace
