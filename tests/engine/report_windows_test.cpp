// The report window Form2 and the scheduled-clean result window Form9.
#include <gtest/gtest.h>
#include "clean_fixture.h"

using namespace cleantest;

namespace {

class ReportWindows : public CleanTest {
protected:
    void SetUp() override { start_with_locations({}); }
};

} // namespace

TEST_F(ReportWindows, ClosingTheReportShowsTheMainWindowAndDiscardsTheReport)
{
    app->Form2.List1.AddItem("a line");
    app->Form2.Show();
    EXPECT_FALSE(form().Visible());
    EXPECT_TRUE(app->Form2.Unload());
    EXPECT_TRUE(form().Visible());
    EXPECT_EQ(app->Form2.List1.ListCount(), 0);
    EXPECT_EQ(app->Form2.Caption(), "Pellmaris");
    EXPECT_EQ(app->Form2.ScaleWidth(), 9645);
}

TEST_F(ReportWindows, ResultWindowShowsTheLastRecordOfDateList)
{
    put(in_program("date.lst"), "01/01/26\r\n10:00:00\r\n5\r\n1.00   KBytes\r\n"
                                "02/01/26\r\n11:00:00\r\n7\r\n3.00   MBytes\r\n");
    app->Form9.Show();
    EXPECT_EQ(app->Form9.Label1.Caption(), "7 Files Removed");
    EXPECT_EQ(app->Form9.Label2.Caption(), "3.00   MBytes Space Freed");
    EXPECT_EQ(app->Form9.Label3.Caption(), "Schedule Clean Results");
    EXPECT_EQ(app->Form9.Label4.Caption(), "X");
}

TEST_F(ReportWindows, ResultWindowOfAnEmptyRecordShowsTheSuffixes)
{
    put(in_program("date.lst"), "");
    app->Form9.Show();
    EXPECT_EQ(app->Form9.Label1.Caption(), " Files Removed");
    EXPECT_EQ(app->Form9.Label2.Caption(), " Space Freed");
}

TEST_F(ReportWindows, ResultWindowLiesInsideTheWorkArea)
{
    app->Form9.Show();
    const RECT work = rt::Screen::WorkArea();
    EXPECT_GE(app->Form9.Left(), work.left);
    EXPECT_GE(app->Form9.Top(), work.top);
    EXPECT_LE(app->Form9.Left() + app->Form9.Width(), work.right);
    EXPECT_LE(app->Form9.Top() + app->Form9.Height(), work.bottom);
    EXPECT_EQ(app->Form9.ScaleWidth(), 3315);
    EXPECT_EQ(app->Form9.Timer1.Interval(), 9000);
    EXPECT_TRUE(app->Form9.Timer1.Enabled());
}

namespace {

// Form9 with its timer driven fast, counting the ticks that reach its handler.
class ResultWindowTimer : public ReportWindows {
protected:
    int ticks = 0;

    void show_with_fast_timer()
    {
        auto& timer = app->Form9.Timer1;
        timer.on_timer = [this, handler = timer.on_timer] {
            ++ticks;
            handler();
        };
        app->Form9.Show();
        ASSERT_EQ(timer.Interval(), 9000);
        timer.Interval(50);
    }
    void pump_until_unloaded(int milliseconds)
    {
        const DWORD end = GetTickCount() + milliseconds;
        while (app->Form9.is_loaded() && GetTickCount() < end) {
            app->sys.DoEvents();
            Sleep(5);
        }
    }
};

} // namespace

TEST_F(ResultWindowTimer, ClickOnTheCloseLabelUnloadsTheResultWindowAndNoTickFollows)
{
    show_with_fast_timer();
    app->Form9.Label4_Click();
    EXPECT_FALSE(app->Form9.is_loaded());
    const DWORD end = GetTickCount() + 500;   // ten periods of the driven timer
    while (GetTickCount() < end)
        app->sys.DoEvents();
    EXPECT_EQ(ticks, 0);
    EXPECT_FALSE(app->Form9.is_loaded());
}

TEST_F(ResultWindowTimer, ItsTimerClosesTheResultWindowWithOneTick)
{
    show_with_fast_timer();
    pump_until_unloaded(5000);
    EXPECT_FALSE(app->Form9.is_loaded());
    EXPECT_EQ(ticks, 1);
}

// The report shows painted, its rows in the list window, before the clean asks its
// shutdown question (a modal box, with the clean still going on behind it).
TEST_F(ReportWindows, TheReportIsPaintedBeforeTheCleanGoesOn)
{
    set_setting(1, "1");   // shutdown after the clean: the question follows the report
    form().Show();
    bool painted = false;
    LRESULT rows = -1;
    fakes.dialogs->answers = {rt::vbNo};
    fakes.dialogs->while_open = [&] {
        HWND report = app->Form2.hWnd();
        painted = IsWindowVisible(report) && !GetUpdateRect(report, nullptr, FALSE) &&
                  !GetUpdateRect(app->Form2.List1.hWnd(), nullptr, FALSE);
        rows = SendMessageW(app->Form2.List1.hWnd(), LB_GETCOUNT, 0, 0);
    };
    form().Picture2_Click();
    ASSERT_EQ(prompts_starting("Are You Sure You Want To Shutdown"), 1);
    EXPECT_TRUE(painted);
    EXPECT_EQ(rows, app->Form2.List1.ListCount());
    EXPECT_GT(rows, 0);
}
