// The scheduled clean, the shutdown timer and the exit of the main window.
#include "form1_fixture.h"
#include "common/paths.h"
#include "engine/clean_work.h"
#include "runtime/filesys.h"
#include "runtime/forms.h"

using namespace pellmaris;

namespace {

constexpr const char* kShutdownQuestion = "Are You Sure You Want To Shutdown Windows?";

// A full clean that asks the shutdown question is seen through that question: the probe
// records scheduled_run while the box is open.
class ScheduledClean : public form1test::Form1Test {
protected:
    std::vector<int> scheduled_during_clean;

    void SetUp() override
    {
        Form1Test::SetUp();
        set_line(kShutdownAfterCleanup, "1");
        set_line(kScheduleClean, "1");
        set_line(kAutoCleanInterval, " 1 ");   // 30 minutes
        fakes.dialogs->default_answer = rt::vbNo;
        fakes.dialogs->while_open = [this] {
            if (fakes.dialogs->prompts.back().text.rfind(kShutdownQuestion, 0) == 0)
                scheduled_during_clean.push_back(form().scheduled_run);
        };
        form().Load();   // as the timer only ticks in a loaded window
        form().auto_clean_armed = 1;
    }

    void tick(int times)
    {
        for (int i = 0; i < times; ++i)
            form().Timer3_Timer();
    }
};

TEST_F(ScheduledClean, RunsAFullCleanExactlyAtTheIntervalAsAScheduledRun)
{
    tick(29);
    EXPECT_TRUE(scheduled_during_clean.empty());
    EXPECT_EQ(form().auto_clean_ticks, 29);

    tick(1);
    ASSERT_EQ(scheduled_during_clean.size(), 1u);
    EXPECT_EQ(scheduled_during_clean[0], 1);
    EXPECT_EQ(form().scheduled_run, 0);
    EXPECT_EQ(form().auto_clean_ticks, 0);
    EXPECT_TRUE(rt::file_exists(dir / kLastCleanFile));

    tick(30);
    EXPECT_EQ(scheduled_during_clean.size(), 2u);
}

TEST_F(ScheduledClean, EachIntervalChoiceHasItsOwnLength)
{
    const std::pair<const char*, int> choices[] = {{" 2 ", 60}, {" 3 ", 120}, {" 4 ", 180}};
    for (const auto& [line, minutes] : choices) {
        SCOPED_TRACE(line);
        set_line(kAutoCleanInterval, line);
        scheduled_during_clean.clear();
        tick(minutes - 1);
        EXPECT_TRUE(scheduled_during_clean.empty());
        tick(1);
        EXPECT_EQ(scheduled_during_clean.size(), 1u);
    }
}

TEST_F(ScheduledClean, NothingRunsBeforeTheWindowWasSentToTheTray)
{
    form().auto_clean_armed = 0;
    tick(30);
    EXPECT_TRUE(scheduled_during_clean.empty());
    EXPECT_EQ(form().auto_clean_ticks, 0);   // the count restarts all the same
}

TEST_F(ScheduledClean, NothingRunsWhenScheduleCleanIsOff)
{
    set_line(kScheduleClean, "0");
    tick(60);
    EXPECT_TRUE(scheduled_during_clean.empty());
    EXPECT_EQ(form().auto_clean_ticks, 0);
}

TEST_F(ScheduledClean, AnEmptyOrUnknownIntervalMeansNoSchedule)
{
    for (const char* line : {"", " 0 ", " 5 ", "x"}) {
        SCOPED_TRACE(line);
        set_line(kAutoCleanInterval, line);
        tick(200);
        EXPECT_TRUE(scheduled_during_clean.empty());
        EXPECT_EQ(form().auto_clean_ticks, 0);
    }
}

TEST_F(ScheduledClean, ATickDuringARunningCleanDoesNothing)
{
    tick(29);
    {
        CleanGuard running(form().clean);
        tick(5);
        EXPECT_EQ(form().auto_clean_ticks, 29);
    }
    EXPECT_TRUE(scheduled_during_clean.empty());
    tick(1);
    EXPECT_EQ(scheduled_during_clean.size(), 1u);
}

class ShutdownTimer : public form1test::Form1Test {};

TEST_F(ShutdownTimer, StartsTheForcedShutdownOnceAndSwitchesItselfOff)
{
    form().Timer4.Interval(40);
    form().Timer4.Enabled(true);
    pump_for(400);

    ASSERT_EQ(fakes.processes->started.size(), 1u);
    EXPECT_EQ(fakes.processes->started[0].command, "shutdown -f -s -t 00");
    EXPECT_EQ(fakes.processes->started[0].style, rt::vbMinimizedFocus);
    EXPECT_FALSE(form().Timer4.Enabled());
    EXPECT_EQ(fakes.program_end->calls, 0);
}

class Exit : public form1test::Form1Test {
protected:
    const std::vector<std::string> work_files{"Pellmaris.bat", "orvane.bat", "Pellmaris.txt", "orvane.dat", "deep.dat"};

    void SetUp() override
    {
        Form1Test::SetUp();
        for (const auto& name : work_files)
            testsupport::write_bytes(dir / name, "x");
        form().Show();
    }

    int work_files_left() const
    {
        int n = 0;
        for (const auto& name : work_files)
            n += rt::file_exists(dir / name);
        return n;
    }
};

TEST_F(Exit, AnsweringNoKeepsTheWindowAndTheWorkFiles)
{
    fakes.dialogs->answers = {rt::vbNo};
    EXPECT_FALSE(form().Unload());

    ASSERT_EQ(fakes.dialogs->prompts.size(), 1u);
    EXPECT_EQ(fakes.dialogs->prompts[0].text, "Are You Sure You Want To Exit?");
    EXPECT_EQ(fakes.dialogs->prompts[0].title, "Pellmaris");
    EXPECT_EQ(fakes.dialogs->prompts[0].style, rt::vbYesNo);
    EXPECT_TRUE(form().is_loaded());
    EXPECT_TRUE(form().Visible());
    EXPECT_EQ(work_files_left(), 5);
    EXPECT_EQ(fakes.program_end->calls, 0);
}

TEST_F(Exit, AnsweringYesDeletesTheWorkFilesRemovesTheIconAndEndsTheProgram)
{
    form().minimize_to_tray();
    fakes.dialogs->answers = {rt::vbYes};
    form().Unload();

    EXPECT_EQ(work_files_left(), 0);
    ASSERT_FALSE(fakes.tray->calls.empty());
    EXPECT_EQ(fakes.tray->calls.back().first, static_cast<DWORD>(NIM_DELETE));
    EXPECT_EQ(fakes.tray->calls.back().second.uID, 1u);
    EXPECT_EQ(fakes.program_end->calls, 1);
}

TEST_F(Exit, HiddenClosePromptEndsWithoutAskingEvenWithFilesMissing)
{
    set_line(kHideClosePrompt, "1");
    testsupport::remove_tree(dir / "deep.dat");
    testsupport::remove_tree(dir / "orvane.bat");
    form().Unload();

    EXPECT_EQ(prompts_starting("Are You Sure You Want To Exit?"), 0);
    EXPECT_EQ(work_files_left(), 0);
    EXPECT_EQ(fakes.program_end->calls, 1);
}

TEST_F(Exit, AnyOtherClosePromptValueStillAsks)
{
    set_line(kHideClosePrompt, "2");
    fakes.dialogs->answers = {rt::vbNo};
    EXPECT_FALSE(form().Unload());
    EXPECT_EQ(prompts_starting("Are You Sure You Want To Exit?"), 1);
    EXPECT_EQ(fakes.program_end->calls, 0);
}

} // namespace
