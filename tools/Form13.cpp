#include "tools/Form13.h"
#include <windows.h>
#include "app/Program.h"
#include "runtime/errors.h"
#include "runtime/text.h"
#include "runtime/unicode.h"
#include "tools/window_place.h"

namespace pellmaris {

namespace {

constexpr long kOuterHeight = 6150;
constexpr long kScrollRange = 3855;
constexpr unsigned long kTaskkillNotFound = 128;

// The name of this program's own executable file, as the process list shows it.
std::string own_executable_name()
{
    const std::string name = rt::System::exe_path();
    std::size_t slash = name.find_last_of("\\/");
    return slash == std::string::npos ? name : name.substr(slash + 1);
}

std::string kill_failure_text(const std::string& name, const std::optional<unsigned long>& exit_code)
{
    if (!exit_code)
        return "taskkill did not say within " + std::to_string(kTaskkillWaitMs / 1000) + " seconds whether " + name +
               " ended.";
    if (*exit_code == kTaskkillNotFound)
        return name + " could not be ended: no running program has that name.";
    return name + " could not be ended (taskkill reported error " + std::to_string(*exit_code) + ").";
}

// Positions inside a frame are relative to it, and the control moves with it.
void place_in(rt::Frame& frame, rt::Control& control, long left, long top, long width, long height)
{
    control.Container(&frame);
    control.Move(left, top, width, height);
}

} // namespace

// While taskkill runs the window paints and answers, but takes no input: nothing the user
// does can start a second kill or change the list the kill will update.
Form13::KillWait::KillWait(Form13& window) : window_(window), focus_(GetFocus())
{
    window_.kill_running_ = true;
    window_.Enabled(false);
}

Form13::KillWait::~KillWait()
{
    window_.kill_running_ = false;
    if (!window_.is_loaded())
        return;
    window_.Enabled(true);
    // Disabling the window took the keyboard focus away: it goes back where it was.
    if (focus_ && IsWindow(focus_) && IsChild(window_.hWnd(), focus_))
        SetFocus(focus_);
}

std::string grouped_digits(uint64_t n, const std::string& separator)
{
    const std::string digits = std::to_string(n);
    std::string out;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            out += separator;
        out += digits[i];
    }
    return out;
}

std::string thousands_separator()
{
    wchar_t separator[8] = L"";
    int n = GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_STHOUSAND, separator, 8);
    return n > 1 ? rt::utf8(std::wstring(separator, static_cast<std::size_t>(n - 1))) : std::string(",");
}

Form13::Form13(Program& app) : rt::Form(app.sys, "Form13"), app(app)
{
    Drive1.on_change = [this] { Drive1_Change(); };
    Command1.on_click = [this] { Command1_Click(); };
    VScroll1.on_change = [this] { VScroll1_Change(); };
    VScroll1.on_scroll = [this] { VScroll1_Scroll(); };
}

void Form13::design()
{
    Caption(rt::AppTitle);
    BorderStyle(rt::bsFixedSingle);
    ScaleSize(8445, 5760);
    centre_on_screen(*this);
    Picture1.Move(0, 0, 8445, 960);
    try {
        Picture1.LoadResourcePicture("BANNER_STATUS");
    } catch (const rt::RuntimeError&) {
        // decoration only
    }
    VScroll1.Move(8040, 1080, 255, 4575);
    Frame1.Move(120, 1200, 7815, 2055);
    Frame1.Caption("Hard Drive Space");
    place_in(Frame1, Label3, 240, 240, 3855, 495);
    place_in(Frame1, Drive1, 4440, 120, 2175, 315);
    Frame2.Move(120, 3360, 7815, 1815);
    Frame2.Caption("System Memory");
    place_in(Frame2, Label1, 240, 360, 4815, 375);   // wider: 64-bit figures
    place_in(Frame2, Label2, 240, 840, 4815, 375);
    Frame3.Move(120, 5280, 7815, 4095);
    Frame3.Caption("Running Programs");
    place_in(Frame3, List1, 120, 240, 2415, 3570);
    place_in(Frame3, Command1, 2640, 360, 1695, 375);
    Command1.Caption("Kill Process");
    last_scroll_value = 0;
}

void Form13::Form_Load()
{
    show_memory();
    list_processes();
    show_drive_space();
    Height(kOuterHeight);
    VScroll1.Height(ScaleHeight() - VScroll1.Top() - 50);
    VScroll1.Min(0);
    VScroll1.Max(kScrollRange);
    const int16_t step = rt::CInt(static_cast<double>(rt::Screen::TwipsPerPixelY()) * 10);
    VScroll1.SmallChange(step);
    VScroll1.LargeChange(step);
}

void Form13::show_memory()
{
    const MEMORYSTATUSEX memory = sys().memory->status();
    Label1.Caption("Total memory (in bytes): " + std::to_string(memory.ullTotalPhys));
    Label2.Caption("Available memory (in bytes): " + std::to_string(memory.ullAvailPhys));
}

// A snapshot that cannot be taken leaves the list empty.
void Form13::list_processes()
{
    for (const std::string& name : sys().process_list->executable_names())
        List1.AddItem(name);
}

// A drive that cannot be read (no medium) shows 0 for both.
void Form13::show_drive_space()
{
    const std::string volume = rt::Left(Drive1.Drive(), 2);
    uint64_t free_to_caller = 0, total = 0, free = 0;
    if (!sys().disk_space->query(volume + "\\", free_to_caller, total, free))
        free_to_caller = total = 0;
    const std::string separator = thousands_separator();
    Label3.Caption("Free Space: " + grouped_digits(free_to_caller, separator) + "\r\nTotal space: " +
                   grouped_digits(total, separator));
}

void Form13::Drive1_Change() { show_drive_space(); }

// The rows go only when taskkill says the programs ended: every row of the name, as taskkill
// ends every process of it. Pellmaris does not end itself from here, which would skip its
// own exit.
void Form13::Command1_Click()
{
    const long row = List1.ListIndex();
    if (row < 0 || kill_running_)
        return;
    const std::string name = List1.List(row);
    if (rt::LCase(name) == rt::LCase(own_executable_name())) {
        MsgBox(name + " is Pellmaris itself: close Pellmaris from its main window.", rt::vbExclamation);
        return;
    }
    if (end_processes_named(name)) {
        MsgBox(name + " Ended");
        remove_rows_named(name);
    }
}

// taskkill matches image names without regard to case.
void Form13::remove_rows_named(const std::string& name)
{
    for (long row = List1.ListCount() - 1; row >= 0; --row)
        if (rt::LCase(List1.List(row)) == rt::LCase(name))
            List1.RemoveItem(row);
}

bool Form13::end_processes_named(const std::string& name)
{
    if (name.empty() || name.find('"') != std::string::npos) {
        MsgBox(name + " could not be ended: that is no program name.", rt::vbExclamation);
        return false;
    }
    std::optional<unsigned long> exit_code;
    try {
        const KillWait wait(*this);
        exit_code = sys().processes->run("taskkill /F /IM \"" + name + "\"", rt::vbHide, kTaskkillWaitMs,
                                         [this] { sys().DoEventsWhenDue(); });
    } catch (const rt::RuntimeError&) {
        MsgBox("Pellmaris could not start taskkill to end " + name + ".", rt::vbExclamation);
        return false;
    }
    if (exit_code == 0UL)
        return true;
    MsgBox(kill_failure_text(name, exit_code), rt::vbExclamation);
    return false;
}

void Form13::VScroll1_Change() { scroll_frames(); }
void Form13::VScroll1_Scroll() { scroll_frames(); }

void Form13::scroll_frames()
{
    const long value = VScroll1.Value();
    for (rt::Control* frame : controls_of("Frame"))
        frame->Top(frame->Top() + last_scroll_value - value);
    last_scroll_value = static_cast<int16_t>(value);
}

} // namespace pellmaris
