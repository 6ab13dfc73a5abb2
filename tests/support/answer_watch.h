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
              const ULONGLONG started = GetTickCount64();
              while (!done_) {
                  const ULONGLONG before = GetTickCount64();
                  DWORD_PTR result = 0;
                  if (SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 20000, &result))
                      ++answered_;
                  if (GetTickCount64() - before > slowest_) {
                      slowest_ = GetTickCount64() - before;
                      slowest_asked_at_ = before - started;
                  }
                  ++asked_;
                  Sleep(100);
              }
              finished_ = true;
          })
    {
    }
    ~AnswerWatch() { stop(); }
    // Call from the window's thread: it answers a last question while the watch ends (a
    // look at the queue that removes nothing answers sent messages only), so that waiting
    // for the watch is not counted as the window's own silence.
    void stop()
    {
        done_ = true;
        MSG message;
        while (!finished_)
            PeekMessageW(&message, nullptr, WM_APP + 1000, WM_APP + 1000, PM_NOREMOVE);
        if (thread_.joinable())
            thread_.join();
    }
    ULONGLONG slowest() const { return slowest_; }
    // When the slowest question was asked, in ms from the watch's start.
    ULONGLONG slowest_asked_at() const { return slowest_asked_at_; }
    int asked() const { return asked_; }
    int answered() const { return answered_; }

private:
    std::atomic<bool> done_{false};
    std::atomic<bool> finished_{false};
    std::atomic<ULONGLONG> slowest_{0};
    std::atomic<ULONGLONG> slowest_asked_at_{0};
    std::atomic<int> asked_{0};
    std::atomic<int> answered_{0};
    std::thread thread_;
};
