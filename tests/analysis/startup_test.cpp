// The analysis at start-up: "ANALYSE DRIVE ON PROGRAM START" opens the analysis window in
// place of the main window, and closing it shows the main window.
#include <gtest/gtest.h>
#include <memory>
#include "engine/Program.h"
#include "support/fakes.h"
#include "support/program_folder.h"

namespace {

class AnalysisAtStart : public testing::Test, protected testsupport::ProgramFolder {
protected:
    AnalysisAtStart() : ProgramFolder("program", {"settings.ini", "PMlist.lst", "info.ini"}) {}

    pellmaris::Program& start_and_hand_over(const std::string& options)
    {
        // The profile and home drive lie in the scratch folder, empty.
        testsupport::make_dirs(dir / "profile");
        testsupport::make_dirs(dir / "home");
        put("orvane.dat", "HOMEDRIVE=" + dir / "home" + "\r\nUSERPROFILE=" + dir / "profile" + "\r\n");
        put("pmdb.lst", "[LIST1]\r\n 1  1  1  1  1  1  1  1  1  1  1  1 \r\n[LIST2]\r\n" + options);
        app = std::make_unique<pellmaris::Program>(testsupport::make_fake_system(folder, fakes));
        app->start();
        app->frmSplash.Timer1_Timer();
        app->frmSplash.Timer2_Timer();
        return *app;
    }

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
