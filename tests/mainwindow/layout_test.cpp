// The main window's layout: what shows at the normal height, what a clean reveals, and
// that the buttons keep their room in the classic and the narrow layouts.
#include "form1_fixture.h"
#include <algorithm>
#include "runtime/forms.h"

using namespace pellmaris;

namespace {

class Layout : public form1test::Form1Test {
protected:
    std::vector<rt::Control*> buttons()
    {
        auto& f = form();
        return {&f.Picture1, &f.Picture2, &f.Picture3, &f.Picture4, &f.Picture5,
                &f.Picture6, &f.Picture7, &f.Picture8, &f.Picture9, &f.Picture10,
                &f.Picture11, &f.Picture12};
    }
    std::vector<rt::Control*> clean_progress() { return {&form().Label1, &form().Label2, &form().ProgressBar1}; }

    bool inside_client(rt::Control& c)
    {
        return c.Left() >= 0 && c.Top() >= 0 && c.Left() + c.Width() <= form().ScaleWidth() &&
               c.Top() + c.Height() <= form().ScaleHeight();
    }
    static bool overlap(rt::Control& a, rt::Control& b)
    {
        return a.Left() < b.Left() + b.Width() && b.Left() < a.Left() + a.Width() &&
               a.Top() < b.Top() + b.Height() && b.Top() < a.Top() + a.Height();
    }
    void expect_buttons_fit_apart()
    {
        auto all = buttons();
        for (size_t i = 0; i < all.size(); ++i) {
            EXPECT_TRUE(inside_client(*all[i])) << all[i]->Name();
            if (i % 2 == 1) {   // the hover picture covers its normal picture exactly
                EXPECT_EQ(all[i]->Left(), all[i - 1]->Left()) << all[i]->Name();
                EXPECT_EQ(all[i]->Top(), all[i - 1]->Top()) << all[i]->Name();
                EXPECT_EQ(all[i]->Width(), all[i - 1]->Width()) << all[i]->Name();
                EXPECT_EQ(all[i]->Height(), all[i - 1]->Height()) << all[i]->Name();
            }
            // Different buttons never lie on each other.
            for (size_t j = i + 2 - i % 2; j < all.size(); ++j)
                EXPECT_FALSE(overlap(*all[i], *all[j])) << all[i]->Name() << " " << all[j]->Name();
        }
    }
};

TEST_F(Layout, TheNormalHeightShowsTheButtonsAndHidesTheCleanProgress)
{
    ASSERT_EQ(form().Height(), 6075);
    expect_buttons_fit_apart();
    for (rt::Control* c : {static_cast<rt::Control*>(&form().Picture13), static_cast<rt::Control*>(&form().Frame1),
                           static_cast<rt::Control*>(&form().Label16), static_cast<rt::Control*>(&form().Label9),
                           static_cast<rt::Control*>(&form().Label7), static_cast<rt::Control*>(&form().Label10)})
        EXPECT_TRUE(inside_client(*c)) << c->Name();
    for (rt::Control* c : clean_progress())
        EXPECT_GE(c->Top(), form().ScaleHeight()) << c->Name();

    form().Height(6975);
    for (rt::Control* c : clean_progress())
        EXPECT_TRUE(inside_client(*c)) << c->Name();
}

TEST_F(Layout, EveryPictureOfTheDefaultThemeIsBuiltIn)
{
    for (rt::Control* c : buttons())
        EXPECT_TRUE(static_cast<rt::PictureBox*>(c)->HasPicture()) << c->Name();
    EXPECT_TRUE(form().Picture13.HasPicture());
    EXPECT_NE(form().Icon(), nullptr);
}

TEST_F(Layout, TheClassicThemeKeepsEveryButtonInItsWindow)
{
    set_line(kClassicTheme, "1");
    ASSERT_EQ(form().Width(), 9650);
    expect_buttons_fit_apart();
    EXPECT_TRUE(form().Label17.Visible());
    EXPECT_TRUE(inside_client(form().Label17));
}

TEST_F(Layout, TheNarrowLayoutKeepsEveryButtonInItsWindow)
{
    set_line(kHideWelcome, "1");
    ASSERT_EQ(form().Width(), 8415);
    expect_buttons_fit_apart();
    EXPECT_TRUE(inside_client(form().Label16));
}

// Each layout of the main window, from a fresh program.
struct LayoutCase {
    const char* name;
    bool classic, narrow;
};
constexpr LayoutCase kLayouts[] = {
    {"default", false, false}, {"classic", true, false}, {"narrow", false, true}, {"narrow classic", true, true}};

bool inside(const RECT& inner, const RECT& outer)
{
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

bool rects_overlap(const RECT& a, const RECT& b)
{
    RECT common;
    return IntersectRect(&common, &a, &b) != 0;
}

RECT client_of(HWND window)
{
    RECT r;
    GetClientRect(window, &r);
    return r;
}

// What the window shows lies inside it, judged by where it is drawn: the version, the
// database caption and every link in every layout, the settings link of the classic and
// narrow layouts too, and no caption drawn over another.
TEST_F(Layout, EveryShownControlLiesInsideTheClientAreaInAllFourLayouts)
{
    for (const LayoutCase& layout : kLayouts) {
        SCOPED_TRACE(layout.name);
        set_line(kClassicTheme, layout.classic ? "1" : "0");
        set_line(kHideWelcome, layout.narrow ? "1" : "0");
        app = std::make_unique<Program>(testsupport::make_fake_system(dir.path(), fakes));
        auto& f = form();
        f.Load();
        EXPECT_EQ(f.Label13.Caption(), "Program Version " + rt::version_text());

        std::vector<rt::Control*> required = {&f.Label13, &f.Label11, &f.Label15, &f.Label6,  &f.Label16,
                                              &f.Label18, &f.Label20, &f.Label21, &f.Picture11, &f.Picture1,
                                              &f.Picture3, &f.Picture5, &f.Picture7, &f.Picture9};
        if (layout.classic || layout.narrow)
            required.push_back(&f.Label17);
        for (rt::Control* c : required)
            EXPECT_TRUE(c->shown()) << c->Name();

        const RECT client = client_of(f.hWnd());
        std::vector<rt::Control*> clean_strip = clean_progress();
        std::vector<rt::Control*> labels;
        for (rt::Control* c : f.controls()) {
            if (!c->shown() || std::string(c->kind()) == "Timer" ||
                std::find(clean_strip.begin(), clean_strip.end(), c) != clean_strip.end())
                continue;
            EXPECT_TRUE(inside(c->pixel_rect(), client)) << c->Name();
            if (std::string(c->kind()) == "Label")
                labels.push_back(c);
        }
        for (size_t i = 0; i < labels.size(); ++i)
            for (size_t j = i + 1; j < labels.size(); ++j)
                EXPECT_FALSE(rects_overlap(labels[i]->pixel_rect(), labels[j]->pixel_rect()))
                    << labels[i]->Name() << " " << labels[j]->Name();

        f.Height(6975);   // as a clean grows it
        for (rt::Control* c : clean_strip)
            EXPECT_TRUE(inside(c->pixel_rect(), client_of(f.hWnd()))) << c->Name();
    }
}

} // namespace
