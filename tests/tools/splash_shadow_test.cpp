// The search splash's width rule, its shadow's place and size, and the layered-window routines.
#include <windows.h>
#include <gtest/gtest.h>
#include "app/Program.h"
#include "support/fakes.h"
#include "support/scratch.h"

using namespace pellmaris;

namespace {

class SplashAndShadow : public testing::Test {
protected:
    testsupport::ScratchDir dir;
    testsupport::Fakes fakes;
    Program app{testsupport::make_fake_system(dir.path(), fakes)};
    SearchSplash& splash = app.SearchSplash;

    long right_edge_of(rt::Label& label) { return label.Left() + label.Width() + 200; }
};

TEST_F(SplashAndShadow, TheWidestValueSetsTheWidthANarrowerChangeLeavesIt)
{
    const long design_width = splash.Width();
    splash.Label5.Caption("C:\\Documents and Settings\\someone\\Local Settings\\Temp\\");
    const long wide = right_edge_of(splash.Label5);
    EXPECT_EQ(splash.Width(), wide);
    EXPECT_GT(wide, design_width);

    splash.Label4.Caption("a.tmp");   // narrower than the location
    splash.Label6.Caption("0 Bytes");
    EXPECT_EQ(splash.Width(), wide);

    // A shorter location is still the widest: the window narrows to it.
    splash.Label5.Caption("C:\\Temp\\Folder\\");
    EXPECT_EQ(splash.Width(), right_edge_of(splash.Label5));
    EXPECT_LT(splash.Width(), wide);

    // Shrinking a label that is not the widest leaves the window, even below it.
    splash.Label4.Caption("a very long file name indeed.tmp");
    const long by_name = right_edge_of(splash.Label4);
    EXPECT_EQ(splash.Width(), by_name);
    splash.Label5.Caption("C:\\");
    EXPECT_EQ(splash.Width(), by_name);
}

TEST_F(SplashAndShadow, EqualValuesGiveTheSameWidthWhicheverChangesLast)
{
    splash.Label4.Caption("SAME");
    splash.Label5.Caption("SAME");
    splash.Label6.Caption("SAME");
    const long expected = right_edge_of(splash.Label6);
    EXPECT_EQ(splash.Width(), expected);
    splash.Label4.Caption("SAMF");
    splash.Label4.Caption("SAME");
    EXPECT_EQ(splash.Width(), expected);
}

TEST_F(SplashAndShadow, TheShadowLiesTwoHundredTwipsRightAndBelowWithTheSplashSizeAndBeneathIt)
{
    splash.Move(3000, 2400);
    splash.show_file("report.tmp", "C:\\Windows\\Temp\\", "0 Bytes");
    FrmShadow& shadow = app.FrmShadow;
    EXPECT_EQ(shadow.Left(), splash.Left() + 200);
    EXPECT_EQ(shadow.Top(), splash.Top() + 200);
    EXPECT_EQ(shadow.Width(), splash.Width());
    EXPECT_EQ(shadow.Height(), splash.Height());
    EXPECT_EQ(splash.Width(), right_edge_of(splash.Label5));
    EXPECT_EQ(shadow.BackColor(), RGB(0, 0, 0));

    HWND shadow_window = shadow.hWnd();
    EXPECT_TRUE(FrmShadow::isTransparent(shadow_window));
    BYTE alpha = 0;
    DWORD flags = 0;
    ASSERT_TRUE(GetLayeredWindowAttributes(shadow_window, nullptr, &alpha, &flags));
    EXPECT_EQ(alpha, 100);
    EXPECT_EQ(flags, static_cast<DWORD>(LWA_ALPHA));
    EXPECT_TRUE(IsWindowVisible(splash.hWnd()));
    EXPECT_TRUE(IsWindowVisible(shadow_window));
    bool shadow_below = false;
    for (HWND w = GetWindow(splash.hWnd(), GW_HWNDNEXT); w; w = GetWindow(w, GW_HWNDNEXT))
        shadow_below |= w == shadow_window;
    EXPECT_TRUE(shadow_below);

    // Shown again elsewhere, the shadow follows.
    splash.Move(600, 600);
    splash.show_file("b", "C:\\", "1 KB");
    EXPECT_EQ(shadow.Left(), 800);
    EXPECT_EQ(shadow.Top(), 800);
    EXPECT_EQ(shadow.Width(), splash.Width());
}

class LayeredRoutines : public SplashAndShadow {
protected:
    HWND window = nullptr;
    void SetUp() override { window = splash.hWnd(); }

    BYTE alpha()
    {
        BYTE a = 0;
        DWORD flags = 0;
        EXPECT_TRUE(GetLayeredWindowAttributes(window, nullptr, &a, &flags));
        return a;
    }
};

TEST_F(LayeredRoutines, PercOutsideTheRangeChangesNothing)
{
    EXPECT_EQ(FrmShadow::MakeTransparent(window, -1), 1);
    EXPECT_EQ(FrmShadow::MakeTransparent(window, 501), 1);
    EXPECT_FALSE(FrmShadow::isTransparent(window));
    // Above a byte: refused as a failure, the window left as it was.
    EXPECT_EQ(FrmShadow::MakeTransparent(window, 300), 2);
    EXPECT_FALSE(FrmShadow::isTransparent(window));
    ASSERT_EQ(FrmShadow::MakeTransparent(window, 100), 0);
    EXPECT_EQ(FrmShadow::MakeTransparent(window, 256), 2);
    EXPECT_EQ(FrmShadow::MakeTransparent(window, 500), 2);
    EXPECT_EQ(alpha(), 100);
}

TEST_F(LayeredRoutines, TheAlphaIsTheValueItselfFromClearToOpaque)
{
    EXPECT_EQ(FrmShadow::MakeTransparent(window, 0), 0);
    EXPECT_TRUE(FrmShadow::isTransparent(window));
    EXPECT_EQ(alpha(), 0);
    EXPECT_EQ(FrmShadow::MakeTransparent(window, 255), 0);
    EXPECT_EQ(alpha(), 255);
    EXPECT_EQ(FrmShadow::MakeTransparent(window, 100), 0);
    EXPECT_EQ(alpha(), 100);
    EXPECT_TRUE(FrmShadow::isTransparent(window));

    EXPECT_EQ(FrmShadow::MakeOpaque(window), 0);
    EXPECT_FALSE(FrmShadow::isTransparent(window));
    EXPECT_EQ(GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_LAYERED, 0);
    EXPECT_EQ(FrmShadow::MakeOpaque(window), 0);   // already opaque
}

TEST_F(LayeredRoutines, AnInvalidHandleIsAFailure)
{
    HWND gone = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(gone);
    DestroyWindow(gone);
    for (HWND invalid : {gone, static_cast<HWND>(nullptr)}) {
        EXPECT_FALSE(FrmShadow::isTransparent(invalid));
        EXPECT_EQ(FrmShadow::MakeTransparent(invalid, 100), 2);
        EXPECT_EQ(FrmShadow::MakeOpaque(invalid), 2);
        EXPECT_EQ(FrmShadow::MakeTransparent(invalid, 501), 1);
    }
}

} // namespace
