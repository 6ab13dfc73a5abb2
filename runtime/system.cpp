// The system object: seams, program folder, message boxes, process start, the yield.
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>
#include <algorithm>
#include "runtime/errors.h"
#include "runtime/forms.h"
#include "runtime/forms_internal.h"
#include "runtime/services.h"
#include "runtime/system.h"
#include "runtime/system_places.h"

#ifndef PELLMARIS_VERSION_MAJOR
#define PELLMARIS_VERSION_MAJOR 0
#define PELLMARIS_VERSION_MINOR 0
#define PELLMARIS_VERSION_REVISION 0
#endif

namespace rt {

namespace {

constexpr int kMaxMessagesPerYield = 10000;
constexpr uint64_t kMessageInterval = 10;   // ms between two looks at the queue in a per-file loop
constexpr int kMaxPaintsPerYield = 64;

} // namespace

System::System()
    : dialogs(make_real_dialogs()),
      processes(make_real_processes()),
      shell(make_real_shell()),
      program_end(make_real_program_end()),
      tray(make_real_tray()),
      recycle_bin(make_real_recycle_bin()),
      startup_registry(make_real_startup_registry()),
      url_history(make_real_url_history()),
      memory(make_real_memory()),
      process_list(make_real_process_list()),
      disk_space(make_real_disk_space()),
      clock(make_real_clock()),
      program_folder(exe_folder()),
      windows_folder(rt::windows_folder())
{
}

System::~System() = default;

std::string System::path(const std::string& file_name) const { return program_folder + "\\" + file_name; }

int System::MsgBox(const std::string& text, int style, const std::string& title)
{
    return dialogs->message_box(text, style, title.empty() ? std::string(AppTitle) : title);
}

void System::Shell(const std::string& command_line, int window_style) { processes->start(command_line, window_style, ""); }

namespace {

// ".\name", quoted: a path, so the interpreter never searches for it, and one without the folder.
std::string batch_in_working_folder(const std::string& batch_name) { return "\".\\" + batch_name + "\""; }

} // namespace

void System::ShellBatch(const std::string& batch_name, int window_style)
{
    processes->start(batch_in_working_folder(batch_name), window_style, program_folder);
}

std::unique_ptr<StartedProcess> System::ShellBatchHeld(const std::string& batch_name, int window_style)
{
    return processes->start_held(batch_in_working_folder(batch_name), window_style, program_folder);
}

void System::End() { program_end->end(); }

void System::DoEvents()
{
    MSG msg;
    bool quit = false;
    WPARAM exit_code = 0;
    // Bounded, so that a timer faster than its own handler cannot keep the yield forever.
    for (int n = 0; n < kMaxMessagesPerYield && PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE); ++n) {
        if (msg.message == WM_QUIT) {
            quit = true;
            exit_code = msg.wParam;
            continue;
        }
        dispatch_message(msg);
    }
    // The outer loop still has to see the quit.
    if (quit)
        PostQuitMessage(static_cast<int>(exit_code));
    messages_processed_at_ = GetTickCount64();
    run_yield_hook();
}

bool System::messages_due() const { return GetTickCount64() - messages_processed_at_ >= kMessageInterval; }

void System::DoEventsWhenDue()
{
    if (messages_due())
        DoEvents();
    else
        run_yield_hook();
}

void System::AnswerWhenDue()
{
    if (messages_due()) {
        // Looking at the queue at all answers the sent messages; only paints are taken out
        // of it, as many as a window may have pending at once.
        MSG msg;
        for (int n = 0; n < kMaxPaintsPerYield && PeekMessageW(&msg, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE); ++n)
            DispatchMessageW(&msg);
        messages_processed_at_ = GetTickCount64();
    }
    run_yield_hook();
}

void System::run_yield_hook()
{
    if (yield_hook && !in_yield_hook_) {
        in_yield_hook_ = true;
        try {
            yield_hook();
        } catch (...) {
            in_yield_hook_ = false;
            throw;
        }
        in_yield_hook_ = false;
    }
}

std::string System::exe_path()
{
    std::wstring buffer(MAX_PATH, L'\0');
    DWORD n = 0;
    // A path longer than the buffer comes back cut to its size: grow until it fits.
    while ((n = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()))) >= buffer.size() &&
           buffer.size() < 32768)
        buffer.resize(buffer.size() * 2);
    buffer.resize(std::min<size_t>(n, buffer.size()));
    return utf8_text(buffer);
}

std::string System::exe_folder() { return folder_of(exe_path()); }

std::string System::folder_of(const std::string& path)
{
    size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? std::string(".") : path.substr(0, slash);
}

Version app_version() { return {PELLMARIS_VERSION_MAJOR, PELLMARIS_VERSION_MINOR, PELLMARIS_VERSION_REVISION}; }

std::string version_text()
{
    Version v = app_version();
    return std::to_string(v.major) + "." + std::to_string(v.minor) + "." + std::to_string(v.revision);
}

int run_message_loop()
{
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0)
        dispatch_message(msg);
    return msg.message == WM_QUIT ? static_cast<int>(msg.wParam) : 0;
}

void start_ui()
{
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    CoInitialize(nullptr);
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES | ICC_PROGRESS_CLASS | ICC_BAR_CLASSES |
                                              ICC_TAB_CLASSES | ICC_ANIMATE_CLASS};
    InitCommonControlsEx(&icc);
}

void stop_ui() { CoUninitialize(); }

} // namespace rt
