// The two ways the analysis opens: "ANALYSE DRIVE ON PROGRAM START" in place of the main
// window at start-up, and "Analyse Drive(s)" in the area selection.
#include <gtest/gtest.h>
#include <memory>
#include "analysis_fixture.h"
#include "app/Program.h"
#include "support/environment.h"
#include "support/fakes.h"
#include "support/program_folder.h"
#include "support/user_clicks.h"

namespace {

class AnalysisAtStart : public testing::Test, protected testsupport::ProgramFolder {
protected:
    AnalysisAtStart() : ProgramFolder("program", {"settings.ini", "PMlist.lst", "info.ini"}) {}

    pellmaris::Program& start_and_hand_over(const std::string& options)
    {
        // The profile and home drive lie in the scratch folder, empty.
        testsupport::make_dirs(dir / "profile");
        testsupport::make_dirs(dir / "home");
        environment.set("USERPROFILE", dir / "profile");
        environment.set("HOMEDRIVE", dir / "home");
        put("pmdb.lst", "[LIST1]\r\n 1  1  1  1  1  1  1  1  1  1  1  1 \r\n[LIST2]\r\n" + options);
        app = std::make_unique<pellmaris::Program>(testsupport::make_fake_system(folder, fakes));
        app->start();
        app->frmSplash.Timer1_Timer();
        app->frmSplash.Timer2_Timer();
        return *app;
    }

    testsupport::ScopedEnvironment environment;
    testsupport::Fakes fakes;
    std::unique_ptr<pellmaris::Program> app;
};

} // namespace

TEST_F(AnalysisAtStart, OpensTheAnalysisWindowInsteadOfTheMainWindow)
{
    pellmaris::Program& p = start_and_hand_over(" 0  0  0  1 ");
    EXPECT_FALSE(p.frmSplash.is_loaded());
    ASSERT_TRUE(p.Form7.Visible());
    EXPECT_FALSE(p.Form1.is_loaded() && p.Form1.Visible());
    EXPECT_EQ(p.Form7.Height(), 2730);   // the bars only, until the run has ended
    EXPECT_TRUE(p.Form7.Timer1.Enabled());
    EXPECT_EQ(p.Form7.Timer1.Interval(), 1000);

    p.Form7.Timer1_Timer();
    EXPECT_FALSE(p.Form7.Timer1.Enabled());
    EXPECT_TRUE(p.Form7.Timer2.Enabled());
    EXPECT_EQ(p.Form7.Height(), 2730);
    p.Form7.Timer2_Timer();
    EXPECT_EQ(p.Form7.Height(), 7155);
    EXPECT_EQ(p.Form7.cell(0, pellmaris::Form7::kTemp).Caption(), "0 Bytes");

    // The close box, as the user closes it.
    SendMessageA(p.Form7.hWnd(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(p.Form7.is_loaded());
    EXPECT_TRUE(p.Form1.Visible());
}

TEST_F(AnalysisAtStart, WithoutTheOptionTheMainWindowOpens)
{
    pellmaris::Program& p = start_and_hand_over(" 1  1  1  0 ");
    EXPECT_TRUE(p.Form1.Visible());
    EXPECT_FALSE(p.Form7.is_loaded());
}

namespace {

class AnalyseDrives : public analysistest::AnalysisTest {};

} // namespace

TEST_F(AnalyseDrives, WritesTheAreasFirstThenOpensInTheAreaSelectionsPlace)
{
    build_tree();
    start();
    pellmaris::Form3& areas = app->Form3;
    areas.Show();
    testsupport::click_row(areas.List1, 9);   // TEMPORARY FILES off, its items with it
    click(areas, areas.Label2);

    EXPECT_EQ(testsupport::read_bytes(in_program("pmdb.lst")), cleantest::area_file("1111111110001", "1100"));
    ASSERT_TRUE(analysis().Visible());
    EXPECT_TRUE(areas.is_loaded());
    EXPECT_FALSE(areas.Visible());
    EXPECT_EQ(analysis().Top(), areas.Top());
    EXPECT_EQ(analysis().Left(), rt::Screen::Width() / 2 - analysis().Width() / 2);

    // The run reads the areas just written.
    analysis().Timer1_Timer();
    EXPECT_EQ(value(0, pellmaris::Form7::kTemp), 0);
    EXPECT_EQ(value(1, pellmaris::Form7::kTemp), 2495);
    EXPECT_GT(value(0, pellmaris::Form7::kGamer), 0);
}

TEST_F(AnalyseDrives, TheGuideFollowsOnlyWhenItsSettingIsOn)
{
    set_setting(5, "1");
    start();
    click(app->Form3, app->Form3.Label2);
    EXPECT_TRUE(analysis().Visible());
    EXPECT_TRUE(app->info1.is_loaded() && app->info1.Visible());

    app->info1.Unload();
    analysis().Unload();
    set_setting(5, "0");
    click(app->Form3, app->Form3.Label2);
    EXPECT_TRUE(analysis().Visible());
    EXPECT_FALSE(app->info1.is_loaded() && app->info1.Visible());
}
