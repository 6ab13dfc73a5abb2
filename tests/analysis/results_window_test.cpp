// The results window: where it opens, Enlarge and Back for each row, and resizing.
#include <gtest/gtest.h>
#include <array>
#include "analysis_fixture.h"
#include "app/Program.h"

using namespace analysistest;

namespace {

struct Box {
    long left, top, width, height;
    bool visible;
    bool operator==(const Box&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Box& b)
{
    return os << "{" << b.left << ", " << b.top << ", " << b.width << ", " << b.height << (b.visible ? ", shown}" : ", hidden}");
}

class ResultsWindow : public AnalysisTest {
protected:
    void SetUp() override
    {
        build_tree();
        start();
        analyse();
        click(analysis(), analysis().Label13);
        ASSERT_TRUE(results().Visible());
    }

    static Box box(rt::Control& c) { return {c.Left(), c.Top(), c.Width(), c.Height(), c.Visible()}; }

    // Every control of the window, in declaration order.
    std::vector<Box> layout()
    {
        std::vector<Box> boxes;
        for (rt::Control* c : results().controls())
            boxes.push_back(box(*c));
        return boxes;
    }

    // The window's own drawing of a part of its client area.
    std::vector<COLORREF> drawn(const RECT& part)
    {
        const HWND window = results().hWnd();
        RECT client;
        GetClientRect(window, &client);
        HDC screen = GetDC(window);
        HDC memory = CreateCompatibleDC(screen);
        HBITMAP bitmap = CreateCompatibleBitmap(screen, client.right, client.bottom);
        HGDIOBJ old = SelectObject(memory, bitmap);
        SendMessageW(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory), PRF_CLIENT);
        std::vector<COLORREF> pixels;
        for (long y = part.top; y < part.bottom; ++y)
            for (long x = part.left; x < part.right; ++x)
                pixels.push_back(GetPixel(memory, x, y));
        SelectObject(memory, old);
        DeleteObject(bitmap);
        DeleteDC(memory);
        ReleaseDC(window, screen);
        return pixels;
    }

    rt::ListBox& list(int r) { return *std::array{&results().List1, &results().List2, &results().List3, &results().List4}[r - 1]; }
    rt::Label& label(int n) { return dynamic_cast<rt::Label&>(*results().controls().at(n - 1)); }
};

} // namespace

TEST_F(ResultsWindow, OpensExactlyOverTheAnalysisWindow)
{
    // On the screen, frames included: no strip of the analysis shows beside or below it.
    RECT analysis_rect, results_rect;
    GetWindowRect(analysis().hWnd(), &analysis_rect);
    GetWindowRect(results().hWnd(), &results_rect);
    EXPECT_TRUE(EqualRect(&analysis_rect, &results_rect))
        << results_rect.left << "," << results_rect.top << "," << results_rect.right << "," << results_rect.bottom
        << " over " << analysis_rect.left << "," << analysis_rect.top << "," << analysis_rect.right << ","
        << analysis_rect.bottom;
    // Room for every row as designed.
    EXPECT_GE(results().ScaleWidth(), 9495);
    EXPECT_GE(results().ScaleHeight(), 6480);
    EXPECT_EQ(label(1).Caption(), "FILES TO BE DELETED");
    EXPECT_EQ(label(4).Caption(), "HIDDEN-READONLY FILES TO BE DELETED IF OPTION SELECTED");
    EXPECT_FALSE(label(21).Visible());
    EXPECT_EQ(label(21).Caption(), "Label21");
}

TEST_F(ResultsWindow, EnlargeThenBackRestoresEveryRowsPlaces)
{
    const std::vector<Box> design = layout();
    const long design_label_top[] = {1320, 2640, 3960, 5280};
    const Box back_rest[] = {{1080, 6720, 855, 375, true}, {1080, 7320, 975, 375, true},
                             {2280, 6720, 855, 375, true}, {2160, 7320, 975, 375, true}};
    for (int r = 1; r <= 4; ++r) {
        click(results(), label(12 + r));   // Enlarge
        EXPECT_EQ(box(list(r)), (Box{120, 1680, 9375, 4000, true})) << r;
        EXPECT_EQ(label(r).Top(), 1320) << r;        // title, option and count on the first row's line
        EXPECT_EQ(label(8 + r).Top(), 1320) << r;
        EXPECT_EQ(label(4 + r).Top(), 1320) << r;
        EXPECT_TRUE(label(20 + r).Visible()) << r;   // the marker
        EXPECT_EQ(box(label(16 + r)).left, 7440) << r;
        EXPECT_TRUE(label(16 + r).Visible()) << r;
        for (int other = 1; other <= 4; ++other)
            if (other != r) {
                EXPECT_FALSE(list(other).Visible()) << r << other;
                EXPECT_FALSE(label(other).Visible()) << r << other;
            }
        EXPECT_EQ(label(5).Visible(), r == 1) << r;   // row 1's count and option go with another row
        EXPECT_EQ(label(9).Visible(), r == 1) << r;
        EXPECT_FALSE(label(16).Visible()) << r;

        click(results(), label(16 + r));   // Back, which lies over row 1's Enlarge
        EXPECT_EQ(box(list(r)), design[static_cast<std::size_t>(23 + r)]) << r;
        EXPECT_EQ(label(r).Top(), design_label_top[r - 1]) << r;
        EXPECT_EQ(box(label(16 + r)), back_rest[r - 1]) << r;
        EXPECT_FALSE(label(20 + r).Visible()) << r;
        // Everything else is where it was designed; the Back labels keep their resting places.
        std::vector<Box> now = layout(), expected = design;
        for (int b = 1; b <= r; ++b)
            expected[static_cast<std::size_t>(15 + b)] = back_rest[b - 1];
        EXPECT_EQ(now, expected) << r;
    }
}

TEST_F(ResultsWindow, TheShownBackLabelIsDrawnAloneInItsPlace)
{
    for (int r = 1; r <= 4; ++r) {
        click(results(), label(12 + r));   // Enlarge
        rt::Label& back = label(16 + r);
        const RECT place = back.pixel_rect();
        const auto shown = drawn(place);
        // The same place with every other label put away.
        std::vector<rt::Label*> put_away;
        for (int n = 1; n <= 24; ++n)
            if (n != 16 + r && label(n).Visible()) {
                label(n).Visible(false);
                put_away.push_back(&label(n));
            }
        EXPECT_TRUE(shown == drawn(place)) << "row " << r << ": another label shows in the Back label's place";
        back.Visible(false);
        EXPECT_TRUE(shown != drawn(place)) << "row " << r << ": the Back label does not show";
        back.Visible(true);
        for (rt::Label* l : put_away)
            l->Visible(true);
        click(results(), back);
    }
}

TEST_F(ResultsWindow, ResizeFitsOnlyTheEnlargedList)
{
    results().Width(12000);
    EXPECT_EQ(list(4).Width(), 9375);   // no row enlarged: no list changes

    click(results(), label(16));   // Enlarge row 4
    results().Width(11000);
    results().Height(9000);
    EXPECT_EQ(list(4).Width(), 11000 - 500);
    EXPECT_EQ(list(4).Height(), 9000 - 2500);
    EXPECT_EQ(list(1).Height(), 840);

    results().Height(2000);   // too small for the rule: the list keeps its size
    EXPECT_EQ(list(4).Height(), 9000 - 2500);
    results().WindowState(rt::vbMinimized);
    EXPECT_EQ(list(4).Width(), 11000 - 500);
    results().WindowState(rt::vbNormal);

    click(results(), label(20));   // Back
    EXPECT_EQ(box(list(4)), (Box{120, 5640, 9375, 840, true}));
}

TEST_F(ResultsWindow, ClosingTheAnalysisWindowClosesItAndShowsTheMainWindow)
{
    form().Hide();
    analysis().Unload();
    EXPECT_FALSE(results().is_loaded());
    EXPECT_TRUE(form().Visible());
}
