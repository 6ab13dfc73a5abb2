// The notification-area icon, the scheduled clean, the shutdown timer and the exit.
#include <windows.h>
#include <cmath>
#include <algorithm>
#include <cwchar>
#include "mainwindow/Form1.h"
#include "common/paths.h"
#include "common/settings_file.h"
#include "app/Program.h"
#include "runtime/errors.h"
#include "runtime/filesys.h"
#include "runtime/unicode.h"

namespace pellmaris {

namespace {

constexpr UINT kTrayIconId = 1;
constexpr UINT kTrayFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;   // 7
constexpr UINT kTrayCallback = WM_MOUSEMOVE;                     // callbacks arrive as mouse moves
constexpr int kTipField = 64;
constexpr const char* kShutdownCommand = "shutdown -f -s -t 00";

// Left button down or right button up on the icon.
bool restores_from_tray(long message) { return message == WM_LBUTTONDOWN || message == WM_RBUTTONUP; }

// Minutes between scheduled cleans for settings line 23; 0 means no schedule.
int auto_clean_minutes(int interval_choice)
{
    switch (interval_choice) {
    case 1: return 30;
    case 2: return 60;
    case 3: return 120;
    case 4: return 180;
    default: return 0;
    }
}

void fill_tray_record(NOTIFYICONDATAW& data, HWND window, HICON icon)
{
    data = NOTIFYICONDATAW{};
    data.cbSize = NOTIFYICONDATAW_V1_SIZE;   // the record whose tip is 64 characters
    data.hWnd = window;
    data.uID = kTrayIconId;
    data.uFlags = kTrayFlags;
    data.uCallbackMessage = kTrayCallback;
    data.hIcon = icon;
    // The tip field as a fixed 64-character text: the title, its end, then blanks.
    const std::wstring title = rt::utf16(rt::AppTitle);
    std::wmemset(data.szTip, L' ', kTipField);
    std::wmemcpy(data.szTip, title.c_str(), std::min<size_t>(title.size() + 1, kTipField));
    data.szTip[kTipField - 1] = L'\0';
}

// Adds the icon unless it is there already; false when the shell refused it.
bool ensure_tray_icon(Form1& form)
{
    if (form.tray_icon_added)
        return true;
    HWND window = form.hWnd();
    fill_tray_record(form.tray_icon_data, window, form.Icon());
    form.tray_icon_added = form.sys().tray->notify(NIM_ADD, form.tray_icon_data);
    return form.tray_icon_added;
}

void remove_tray_icon(Form1& form)
{
    if (!form.tray_icon_added)
        return;
    form.sys().tray->notify(NIM_DELETE, form.tray_icon_data);
    form.tray_icon_added = false;
}

// The window back from the notification area, normal and in front.
void show_normal_window(Form1& form)
{
    if (form.WindowState() == rt::vbMinimized)
        form.WindowState(rt::vbNormal);
    form.Show();
    SetForegroundWindow(form.hWnd());
}

// Marks the full clean it wraps as one the timer started.
class ScheduledRun {
public:
    explicit ScheduledRun(int16_t& flag) : flag_(flag) { flag_ = 1; }
    ~ScheduledRun() { flag_ = 0; }
    ScheduledRun(const ScheduledRun&) = delete;
    ScheduledRun& operator=(const ScheduledRun&) = delete;

private:
    int16_t& flag_;
};

// The work files of the start-up sequence, and deep.dat, which only older versions wrote.
void delete_work_files(rt::System& sys)
{
    for (const char* name : {kSysInfoBatch, kEnvBatch, kSysInfoDump, kEnvDump, "deep.dat"}) {
        try {
            rt::kill_file(sys.path(name));
        } catch (const std::exception&) {
            // Missing or locked: the exit goes on.
        }
    }
}

} // namespace

// Without an icon the window stays a plain minimised one: a hidden window without an
// icon could never be brought back.
void Form1::minimize_to_tray()
{
    if (!ensure_tray_icon(*this)) {
        if (WindowState() != rt::vbMinimized)
            WindowState(rt::vbMinimized);
        return;
    }
    Hide();
}

void Form1::Form_Resize()
{
    if (WindowState() != rt::vbMinimized)
        return;
    const Settings settings = read_settings(sys().path(kSettingsFile));
    if (!settings.is(kMinimizeToTray, 1))
        return;
    // The icon first: when it fails the window is left minimised as it is.
    if (!ensure_tray_icon(*this))
        return;
    auto_clean_armed = 1;
    WindowState(rt::vbNormal);
    minimize_to_tray();
}

void Form1::Form_MouseMove(int /*button*/, int /*shift*/, float x, float /*y*/)
{
    for (rt::PictureBox* hover : {&Picture2, &Picture4, &Picture6, &Picture8, &Picture10, &Picture12})
        hover->Visible(false);

    // The icon's callbacks come as mouse moves carrying the mouse message in X.
    const long message = std::lround(x / rt::Screen::TwipsPerPixelX());
    if (!tray_icon_added || !restores_from_tray(message))
        return;
    show_normal_window(*this);
    remove_tray_icon(*this);
}

void Form1::Timer3_Timer()
{
    // A clean that yields lets the timer tick; the tick must not start a second one inside it.
    if (clean.running)
        return;
    const Settings settings = read_settings(sys().path(kSettingsFile));
    const int interval = auto_clean_minutes(settings.interval_choice());
    if (interval == 0) {
        auto_clean_ticks = 0;
        return;
    }
    if (++auto_clean_ticks < interval)
        return;
    auto_clean_ticks = 0;
    if (settings.is(kScheduleClean, 1) && auto_clean_armed == 1) {
        ScheduledRun marker(scheduled_run);
        Picture2_Click();
    }
}

void Form1::Timer4_Timer()
{
    // Once only: a shutdown that did not end Windows is not forced again every minute.
    Timer4.Enabled(false);
    try {
        sys().Shell(kShutdownCommand, rt::vbMinimizedFocus);
    } catch (const rt::RuntimeError&) {
        // Nobody may be there to read a message; the command is not watched anyway.
    }
}

void Form1::Form_Unload(int& cancel)
{
    const Settings settings = read_settings(sys().path(kSettingsFile));
    // Anything but "1" on line 22 asks, so the program always ends or stays open as a whole.
    if (!settings.is(kHideClosePrompt, 1) &&
        MsgBox("Are You Sure You Want To Exit?", rt::vbYesNo, rt::AppTitle) != rt::vbYes) {
        cancel = 1;
        return;
    }
    end_program();
}

void Form1::end_program()
{
    delete_work_files(sys());
    remove_tray_icon(*this);
    app.end();
}

// Explorer restarted ("TaskbarCreated"): its notification area is empty again. Without
// its icon the hidden window could never come back, so a refused icon shows it.
void Form1::explorer_restarted()
{
    if (!tray_icon_added || sys().tray->notify(NIM_ADD, tray_icon_data))
        return;
    tray_icon_added = false;
    show_normal_window(*this);
}

} // namespace pellmaris
