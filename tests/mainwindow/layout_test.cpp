// The main window's layout: what shows at the normal height, what a clean reveals, and
// that the buttons keep their room in the classic and the narrow layouts.
#include "form1_fixture.h"
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

} // namespace
