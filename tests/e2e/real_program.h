#pragma once
// The real Pellmaris.exe as a user runs it: the staged program folder copied to a place, the
// exe started there by CreateProcess, its windows found by caption and driven by real mouse
// input (SendInput at the control's place on the screen), its message boxes answered by a
// click on their buttons.
#include <windows.h>
#include <memory>
#include <string>
#include <utility>
#include <vector>
#include "app/Program.h"
#include "support/fakes.h"

namespace e2e {

// Copies the staged program folder (P:\stage: Pellmaris.exe and every file it ships) into
// `folder`, which is made when missing; the names copied at its top come back.
std::vector<std::string> copy_stage(const std::string& folder);
// The relative paths of every file below the folder ("pellmarisgui\back.jpg"), with their bytes.
std::vector<std::pair<std::string, std::string>> files_below(const std::string& folder);

// Variables of the started program's environment that differ from this process's.
using Variables = std::vector<std::pair<std::string, std::string>>;

class RealProgram {
public:
    // Starts <folder>\Pellmaris.exe, the folder its working folder (as run.sh starts it).
    RealProgram(const std::string& folder, const Variables& variables);
    ~RealProgram();   // kills it when it still runs
    RealProgram(const RealProgram&) = delete;
    RealProgram& operator=(const RealProgram&) = delete;

    bool started() const { return process_ != nullptr; }
    bool running() const;
    bool wait_for_exit(DWORD ms) const;
    void kill();

    // A visible top-level window of the program captioned `caption` (or whose caption starts
    // with it, `prefix`); nullptr when none shows within `ms`.
    HWND wait_for_window(const std::string& caption, DWORD ms, bool prefix = false) const;
    // A message box of the program holding `text`; nullptr when none shows within `ms`.
    HWND wait_for_message_box(const std::string& text, DWORD ms) const;
    // The captions of its visible windows, for failure messages.
    std::string visible_windows() const;

private:
    std::vector<HWND> windows() const;
    HANDLE process_ = nullptr;
    DWORD id_ = 0;
};

// The program's windows built in this process on fakes, from a copy of the staged settings:
// the real program lays its windowless controls (labels, pictures) out alike, and their
// place is read from here.
class Layout {
public:
    // `folder` is made and gets the staged settings.
    explicit Layout(const std::string& folder);
    pellmaris::Program& app() { return *app_; }

private:
    testsupport::Fakes fakes_;
    std::unique_ptr<pellmaris::Program> app_;
};

// The middle of a windowless control in its window's client area, in pixels.
POINT middle_of(rt::Control& model);

// Real mouse input, for the windowless controls (labels, pictures), which take a click only
// from the pointer itself: the pointer moves to a point of the window's client area (pixels),
// which the window hears as a move; click also presses and lets go of the left button there.
// False when another window covers the point.
bool hover(HWND window, POINT client_point);
bool click(HWND window, POINT client_point);
// A click in the middle of a control's own window (a button): the button's messages posted to
// it, so that no other window of a shared screen can take them.
bool click(HWND child);
// The same on the row of a list window showing exactly `text`; false when no row shows it.
bool click_list_row(HWND list, const std::string& text);

// The direct child window showing `text`, and the children of a window class left to right.
HWND child_with_text(HWND parent, const std::string& text);
std::vector<HWND> children_of_class(HWND parent, const std::string& class_name);
std::string text_of(HWND window);

// Waits for `done`, looking every 50 ms; false at the time-out.
template <typename Done>
bool wait_until(Done done, DWORD ms)
{
    const ULONGLONG end = GetTickCount64() + ms;
    while (!done()) {
        if (GetTickCount64() > end)
            return false;
        Sleep(50);
    }
    return true;
}

} // namespace e2e
