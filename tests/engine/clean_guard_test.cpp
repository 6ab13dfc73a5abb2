// One clean at a time: whatever runs while a clean yields cannot start a second clean,
// redirect the running one or cut its report short.
#include <gtest/gtest.h>
#include "clean_fixture.h"

using namespace cleantest;

namespace {

class CleanGuardTest : public CleanTest {
protected:
    std::string temp = profile + "\\AppData\\Local\\Temp\\";
    std::string elsewhere = dir / "elsewhere";

    void SetUp() override
    {
        for (int i = 0; i < 6; ++i)
            junk(temp + "sub" + std::to_string(i) + "\\t" + std::to_string(i) + ".tmp", 10);
        set_setting(6, "1");    // scheduled clean on
        set_setting(23, " 1 ");  // every 30 ticks
        put(elsewhere + "\\keep.txt", "keep");
    }

    void TearDown() override
    {
        EXPECT_EQ(testsupport::read_bytes(elsewhere + "\\keep.txt"), "keep");
        for (int i = 0; i < 6; ++i)
            EXPECT_FALSE(exists(temp + "sub" + std::to_string(i))) << i;
    }

    // On the third yield: every clean button, the auto-clean tick about to run a clean,
    // and the report list cleared and the report window closed.
    void interfere_during_the_clean()
    {
        app->sys.yield_hook = [this] {
            if (++yields != 3)
                return;
            form().auto_clean_armed = 1;
            form().auto_clean_ticks = 29;
            form().Picture2.on_click();
            form().Picture4.on_click();
            form().Picture6.on_click();
            form().Picture8.on_click();
            form().Timer3_Timer();
            app->Form2.List1.Clear();
            app->Form2.Unload();
            // Another window rewriting the shared work lists cannot redirect the clean.
            app->Form4.List4.Clear();
            app->Form4.List4.AddItem(elsewhere + "\\");
            app->Form4.List1.Clear();
            app->Form4.List1.AddItem("keep.txt");
            form().walk_root = elsewhere + "\\";
        };
    }

    int yields = 0;
};

} // namespace

TEST_F(CleanGuardTest, FullCleanRunsOnceWithItsWholeReport)
{
    set_areas(area_file("0000000001100", "0000"));
    start();
    interfere_during_the_clean();
    form().Picture2_Click();
    ASSERT_GE(yields, 3);
    const std::vector<std::string> expected = {
        "FULL CLEAN UP COMPLETE", "Total Files Removed = 6    Releasing 60.00   Bytes of disk space", "",
        "GAMER CLEANING NOT SELECTED IN ADVANCED OPTIONS", "      NO GAMER FILES DELETED",
        "INTERNET CLEANING NOT SELECTED IN ADVANCED OPTIONS", "      NO TEMPORARY INTERNET FILES DELETED",
        "      NO COOKIES DELETED", "      NO BROWSER HISTORY FILES DELETED", "      NO FORM DATA DELETED",
        "      NO PASSWORDS DELETED", "      NO ADD-ONS INFORMATION DELETED",
        "TEMPORARY CLEANING COMPLETE", "  TEMPORARY FILES CLEANING COMPLETE", "      List of files Deleted",
        "          t0.tmp", "          t1.tmp", "          t2.tmp", "          t3.tmp", "          t4.tmp",
        "          t5.tmp", "  LOG FILES CLEANING NOT SELECTED IN ADVANCED OPTIONS", "      NO LOG FILES DELETED",
        "USER LOCATIONS CLEANING NOT SELECTED IN ADVANCED OPTIONS", "      NO USER LOCATIONS FILES DELETED"};
    EXPECT_EQ(comparable(report()), expected);
    EXPECT_TRUE(fakes.dialogs->prompts.empty());   // no gate message from the other buttons
    EXPECT_TRUE(app->Form2.Visible());             // a click clean, not redirected to Form9
    EXPECT_FALSE(app->Form9.is_loaded());
    EXPECT_EQ(form().scheduled_run, 0);
    EXPECT_FALSE(form().clean.running);
    EXPECT_EQ(fakes.url_history->calls, 0);
}

TEST_F(CleanGuardTest, SingleAreaCleanRunsOnceWithItsWholeReport)
{
    set_areas(area_file("1111111111111", "0000"));
    start();
    interfere_during_the_clean();
    form().Picture8_Click();
    ASSERT_GE(yields, 3);
    const std::vector<std::string> expected = {
        "TEMPORARY CLEANING COMPLETE", "Total Files Removed = 6    Releasing 60.00   Bytes of disk space", "",
        "List of files Deleted", "          t0.tmp", "          t1.tmp", "          t2.tmp", "          t3.tmp",
        "          t4.tmp", "          t5.tmp", "LOG FILES CLEANING COMPLETE"};
    EXPECT_EQ(comparable(report()), expected);
    EXPECT_FALSE(exists(in_program("date.lst")));   // no full clean ran inside it
    EXPECT_EQ(fakes.url_history->calls, 0);
    EXPECT_TRUE(fakes.processes->started.empty());
    EXPECT_TRUE(app->Form2.Visible());

    // The guard is released: the next click cleans again.
    form().Picture4_Click();
    EXPECT_EQ(report()[0], "GAMER CLEANING COMPLETE");
}
