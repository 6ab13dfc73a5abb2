// The analysis and a cell click over a large tree take no input, yet the window answers
// and repaints while they walk and count: the system never takes it for hung.
#include <gtest/gtest.h>
#include <algorithm>
#include <atomic>
#include <iostream>
#include <thread>
#include "analysis_fixture.h"
#include "app/Program.h"
#include "support/host.h"

using namespace analysistest;
using pellmaris::Form7;

namespace {

// Asks the window every 100 ms from a thread of its own, as the system's hang test does,
// and keeps the longest wait for an answer.
class Pinger {
public:
    explicit Pinger(HWND window) : thread_([this, window] { run(window); }) {}
    ~Pinger() { stop(); }
    // Answers the question still on its way while the thread ends.
    void stop()
    {
        stop_ = true;
        MSG msg;
        while (!ended_)
            PeekMessageW(&msg, nullptr, WM_APP + 1000, WM_APP + 1000, PM_NOREMOVE);
        if (thread_.joinable())
            thread_.join();
    }
    uint64_t longest_wait_ms() const { return longest_; }
    uint64_t longest_asked_at() const { return longest_asked_at_; }
    int answers() const { return answers_; }

private:
    void run(HWND window)
    {
        const uint64_t started = GetTickCount64();
        while (!stop_) {
            const uint64_t asked = GetTickCount64();
            DWORD_PTR result = 0;
            if (SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 20000, &result))
                ++answers_;
            if (GetTickCount64() - asked > longest_) {
                longest_ = GetTickCount64() - asked;
                longest_asked_at_ = asked - started;
            }
            Sleep(100);
        }
        ended_ = true;
    }

    std::atomic<bool> stop_{false}, ended_{false};
    std::atomic<uint64_t> longest_asked_at_{0};
    std::atomic<uint64_t> longest_{0};
    std::atomic<int> answers_{0};
    std::thread thread_;
};

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
        Pinger pinger(window);
        const uint64_t started = GetTickCount64();
        work();
        const uint64_t took = GetTickCount64() - started;
        pinger.stop();
        // The work must outlast a few questions for the answers to mean anything.
        EXPECT_GE(pinger.answers(), 5) << what << " took " << took << " ms";
        EXPECT_LT(pinger.longest_wait_ms(), 1000u) << what << " took " << took << " ms";
        std::cout << what << ": " << took << " ms, " << pinger.answers() << " answers, the longest after "
                  << pinger.longest_wait_ms() << " ms (asked at " << pinger.longest_asked_at() << " ms)\n";
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
