// The analysis and a cell click over a large tree take no input, yet the window answers
// and repaints while they walk and count: the system never takes it for hung.
#include <gtest/gtest.h>
#include <iostream>
#include "analysis_fixture.h"
#include "app/Program.h"
#include "support/answer_watch.h"
#include "support/host.h"

using namespace analysistest;
using pellmaris::Form7;

namespace {

constexpr int kFolders = 5000, kFilesPerFolder = 20;

class Responsive : public AnalysisTest {
protected:
    ~Responsive() override
    {
        if (!host_tree_.empty())   // far quicker on the host than through Wine
            testsupport::run_on_host({"/bin/rm", "-rf", host_tree_});
    }

    // 100,000 files of 100 bytes in 5,000 folders of the temporary folder, made on the host.
    void make_large_temp_tree()
    {
        testsupport::make_dirs(temp() + "big");
        host_tree_ = testsupport::host_path(temp() + "big");
        ASSERT_FALSE(host_tree_.empty());
        ASSERT_TRUE(testsupport::run_on_host(
            {"/bin/bash", "-c",
             "cd \"$0\" && mkdir d{0..4999} && printf '%s\\n' d{0..4999}/f{0..19}.tmp | xargs truncate -s 100",
             host_tree_}));
    }

    // Runs `work` while the window is asked; every answer comes within a second.
    template <typename Work>
    void expect_answers_throughout(HWND window, Work&& work, const char* what)
    {
        AnswerWatch watch(window);
        const uint64_t started = GetTickCount64();
        work();
        const uint64_t took = GetTickCount64() - started;
        watch.stop();
        // The work must outlast a few questions for the answers to mean anything.
        EXPECT_GE(watch.answered(), 5) << what << " took " << took << " ms";
        EXPECT_LT(watch.slowest(), 1000u) << what << " took " << took << " ms";
        std::cout << what << ": " << took << " ms, " << watch.answered() << " answers, the longest after "
                  << watch.slowest() << " ms (asked at " << watch.slowest_asked_at() << " ms)\n";
    }

private:
    std::string host_tree_;
};

} // namespace

TEST_F(Responsive, TheRunAndACellClickAnswerWithinASecondOverAHundredThousandFiles)
{
    make_large_temp_tree();
    start();
    analysis().Load();
    analysis().Show();
    app->sys.DoEvents();
    const HWND window = analysis().hWnd();

    // Input that comes meanwhile waits for the run's end.
    PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    expect_answers_throughout(window, [&] { analysis().Timer1_Timer(); }, "the run");
    MSG input;
    EXPECT_TRUE(PeekMessageW(&input, window, WM_LBUTTONDOWN, WM_LBUTTONDOWN, PM_REMOVE));
    analysis().Timer2_Timer();
    EXPECT_EQ(value(1, Form7::kTemp), int64_t{100} * kFolders * kFilesPerFolder);

    // The click, and the results window filling its list afterwards.
    expect_answers_throughout(window, [&] {
        analysis().Label15_Click();
        app->sys.DoEvents();
    }, "the Temp cell click");
    EXPECT_EQ(results().List1.ListCount(), kFolders * kFilesPerFolder);
}
