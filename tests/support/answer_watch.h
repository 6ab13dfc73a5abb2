#pragma once
// Asks a window with WM_NULL every 100 ms from a second thread, as the system's hang test
// does, and keeps the slowest answer.
#include <windows.h>
#include <algorithm>
#include <atomic>
#include <thread>

class AnswerWatch {
public:
    explicit AnswerWatch(HWND window)
        : thread_([this, window] {
              while (!done_) {
                  const ULONGLONG before = GetTickCount64();
                  DWORD_PTR result = 0;
                  SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &result);
                  slowest_ = std::max<ULONGLONG>(slowest_, GetTickCount64() - before);
                  ++asked_;
                  Sleep(100);
              }
              finished_ = true;
          })
    {
    }
    ~AnswerWatch() { stop(); }
    // Call from the window's thread: it answers a last question while the watch ends, so
    // that waiting for the watch is not counted as the window's own silence.
    void stop()
    {
        done_ = true;
        while (!finished_) {
            MSG message;
            while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
                TranslateMessage(&message);
                DispatchMessageW(&message);
            }
            Sleep(1);
        }
        if (thread_.joinable())
            thread_.join();
    }
    ULONGLONG slowest() const { return slowest_; }
    int asked() const { return asked_; }

private:
    std::atomic<bool> done_{false};
    std::atomic<bool> finished_{false};
    std::atomic<ULONGLONG> slowest_{0};
    std::atomic<int> asked_{0};
    std::thread thread_;
};
