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

TEST_F(ReportWindows, ClickOnTheCloseLabelUnloadsTheResultWindow)
{
    app->Form9.Show();
    app->Form9.Label4_Click();
    EXPECT_FALSE(app->Form9.is_loaded());
    const DWORD end = GetTickCount() + 300;
    while (GetTickCount() < end)
        app->sys.DoEvents();
    EXPECT_FALSE(app->Form9.is_loaded());   // no later tick brings it back
}
