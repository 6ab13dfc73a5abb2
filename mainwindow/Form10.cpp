// The settings window: restores every control from settings.ini, saves them back on Ok,
// keeps the start-with-Windows value in step with line 3, and changes the password.
#include "mainwindow/Form10.h"
#include <windows.h>
#include <algorithm>
#include <cstdint>
#include "common/password_file.h"
#include "common/paths.h"
#include "common/settings_file.h"
#include "app/Program.h"
#include "mainwindow/Form11.h"
#include "mainwindow/window_look.h"
#include "runtime/errors.h"
#include "runtime/text.h"
#include "runtime/unicode.h"

namespace pellmaris {

namespace {

using look::px;

// The check box of each settings line; lines 8 and 14 are sliders, 9 and 23 the options.
rt::CheckBox* check_box_of_line(Form10& f, int n)
{
    rt::CheckBox* boxes[kSettingsLineCount + 1] = {
        nullptr,    &f.Check1,  &f.Check2,  &f.Check3,  &f.Check4,  &f.Check5,  &f.Check6,  &f.Check7,
        nullptr,    nullptr,    &f.Check8,  &f.Check9,  &f.Check10, &f.Check11, nullptr,    &f.Check12,
        &f.Check13, &f.Check14, &f.Check15, &f.Check16, &f.Check17, &f.Check18, &f.Check19, nullptr,
    };
    return boxes[n];
}

// A slider position read as a 32-bit whole number; the slider holds it to its range.
long slider_position(const Settings& settings, int n)
{
    const double held = std::clamp(settings.value(n), static_cast<double>(INT32_MIN), static_cast<double>(INT32_MAX));
    return static_cast<long>(rt::round_half_even(held));
}

// The name the program runs under, without its folder and extension: the Run value's name.
std::string executable_stem()
{
    std::string name = rt::System::exe_path();
    name = name.substr(name.find_last_of("\\/") + 1);
    return name.substr(0, name.rfind('.'));
}

constexpr long kClassicFramesTop = 1450;
constexpr long kClassicHeight = 6300;
constexpr long kClassicButtonsTop = 5500;
constexpr const char* kClassicPicture = "back2.jpg";

// Where the check boxes of the "Settings" frame sit: two columns of rows.
constexpr long kColumn1 = 10, kColumn2 = 225, kIndent = 18;
constexpr long kColumn1Width = 210, kColumn2Width = 328;
constexpr long kFirstRow = 20, kRowStep = 19, kRowHeight = 17;
constexpr long row_top(int row) { return kFirstRow + kRowStep * row; }

void place_check(rt::CheckBox& box, rt::Frame& frame, const char* caption, long left, long top, long width)
{
    box.Container(&frame);
    box.Caption(caption);
    box.Move(px(left), px(top), px(width), px(kRowHeight));
}

} // namespace

Form10::Form10(Program& program) : rt::Form(program.sys, "Form10"), app(program)
{
    Check4.on_click = [this] { Check4_Click(); };
    Check12.on_click = [this] { Check12_Click(); };
    Command1.on_click = [this] { Command1_Click(); };
    Command2.on_click = [this] { Command2_Click(); };
    Label3.on_click = [this] { Label3_Click(); };
    Command3.on_click = [this] { Command3_Click(); };
    Command4.on_click = [this] { Command4_Click(); };
    Slider2.on_click = [this] { Slider2_Click(); };
    Slider1.on_change = [this] { alpha_line_.moved = true; };
    Slider2.on_change = [this] { icon_size_line_.moved = true; };
}

void Form10::design()
{
    Caption(rt::AppTitle);
    BorderStyle(rt::bsFixedSingle);
    look::window(*this, "BACK_SETTINGS");
    ScaleSize(px(824), px(376));

    Frame1.Caption("Settings");
    Frame1.Move(px(8), px(72), px(560), 4000);
    Frame2.Move(px(576), px(72), px(240), 4000);

    const struct {
        rt::CheckBox& box;
        const char* caption;
        long indent;
    } first_column[] = {
        {Check1, "Shutdown After Cleanup", 0},   {Check3, "Run On Windows StartUp", 0},
        {Check4, "Minimize To System Tray", 0},  {Check10, "On Program StartUp", kIndent},
        {Check8, "Run FullClean On Program StartUp", 0}, {Check9, "Hide FullClean Results", 0},
        {Check18, "Create FullClean Logs", 0},   {Check19, "Hide Close Prompt", 0},
        {Check15, "Hide Splash Screen", 0},      {Check16, "Show In Taskbar", 0},
        {Check5, "Show Guide Window", 0},
    };
    for (int row = 0; row < static_cast<int>(std::size(first_column)); ++row) {
        const auto& entry = first_column[row];
        place_check(entry.box, Frame1, entry.caption, kColumn1 + entry.indent, row_top(row), kColumn1Width - entry.indent);
    }
    Check10.Visible(false);

    place_check(Check2, Frame1, "Hide Welcome On Main Window (Must Reboot Program)", kColumn2, row_top(0), kColumn2Width);
    place_check(Check11, Frame1, "Classic Theme (Must Reboot Program)", kColumn2, row_top(1), kColumn2Width);
    place_check(Check7, Frame1, "Transparency (Must Reboot Program)", kColumn2, row_top(2), kColumn2Width);
    Slider1.Container(&Frame1);
    Slider1.Move(px(kColumn2 + kIndent), px(77), px(200), px(24));
    Slider1.Min(50);
    Slider1.Max(200);
    Slider1.TickFrequency(5);
    Slider1.Value(200);
    Slider1.ToolTipText("How opaque the main window is");

    place_check(Check6, Frame1, "Schedule Clean", kColumn2, 104, kColumn2Width);
    const struct {
        rt::OptionButton& option;
        const char* caption;
        long left, top;
    } intervals[] = {
        {Option1, "30Minutes", kColumn2 + kIndent, 123}, {Option2, "1Hour", kColumn2 + 115, 123},
        {Option3, "2Hours", kColumn2 + kIndent, 142},    {Option4, "3Hours", kColumn2 + 115, 142},
    };
    for (const auto& interval : intervals) {
        interval.option.Container(&Frame1);
        interval.option.Caption(interval.caption);
        interval.option.Move(px(interval.left), px(interval.top), px(92), px(kRowHeight));
    }

    place_check(Check17, Frame1, "Show Password", kColumn2, 163, kColumn2Width);
    place_check(Check12, Frame1, "Password Protect", kColumn2, 182, kColumn2Width);
    place_check(Check13, Frame1, "Settings", kColumn2 + kIndent, 201, 92);
    place_check(Check14, Frame1, "Windows Tools", kColumn2 + 115, 201, 140);
    Check13.Visible(false);
    Check14.Visible(false);

    Label3.Container(&Frame1);
    look::link(Label3, "Change Password", "Type a new password for the lock");
    Label3.Move(px(kColumn2 + kIndent), px(221), px(120), px(15));
    Label3.Visible(false);
    Text1.Container(&Frame1);
    Text1.Move(px(kColumn2 + kIndent), px(238), px(110), px(21));
    Text1.PasswordChar('*');
    Text1.Visible(false);
    Command3.Container(&Frame1);
    Command3.Caption("Apply");
    Command3.Move(px(kColumn2 + 134), px(238), px(62), px(21));
    Command3.Visible(false);
    Command4.Container(&Frame1);
    Command4.Caption("Cancel");
    Command4.Move(px(kColumn2 + 200), px(238), px(62), px(21));
    Command4.Visible(false);

    Label1.Container(&Frame2);
    look::text(Label1, "Windows Tools Icon Size");
    Label1.Move(px(8), px(6), px(224), px(14));
    Slider2.Container(&Frame2);
    Slider2.Move(px(4), px(20), px(232), px(24));
    Slider2.Min(1000);
    Slider2.Max(3090);
    Slider2.TickFrequency(120);
    Slider2.Value(1000);
    Label2.Container(&Frame2);
    look::text(Label2, "Icon Preview");
    Label2.Move(px(8), px(44), px(224), px(14));
    Image1.Container(&Frame2);
    Image1.Move(px(17), px(58), 1000, 1000);
    Image1.Stretch(true);
    Image1.LoadResourcePicture("TOOL_CLEANMGR");

    Command1.Caption("Ok");
    Command1.Default(true);
    Command1.Move(px(824 - 8 - 81 - 8 - 81), 5160, px(81), px(23));
    Command2.Caption("Cancel");
    Command2.Cancel(true);
    Command2.Move(px(824 - 8 - 81), 5160, px(81), px(23));
}

void Form10::open(bool classic_layout)
{
    if (classic_layout)
        apply_classic_layout();
    Show();
}

void Form10::apply_classic_layout()
{
    look::skin_picture(*this, sys().path(std::string(kSkinFolder) + "\\" + kClassicPicture));
    Frame1.Top(kClassicFramesTop);
    Frame2.Top(kClassicFramesTop);
    Height(kClassicHeight);
    Command1.Top(kClassicButtonsTop);
    Command2.Top(kClassicButtonsTop);
}

std::string Form10::settings_path() const { return sys().path(kSettingsFile); }

void Form10::Form_Load()
{
    const Settings settings = read_settings(settings_path());
    for (int n = 1; n < kAutoCleanInterval; ++n) {
        if (rt::CheckBox* box = check_box_of_line(*this, n))
            box->Value(settings.is(n, 1) ? 1 : 0);
        else if (n == kTransparencyAlpha)
            Slider1.Value(slider_position(settings, n));
        else if (n == kToolIconSize)
            Slider2.Value(slider_position(settings, n));
    }
    const long icon_size = tool_icon_size(settings);
    Image1.Height(icon_size);
    Image1.Width(icon_size);
    if (settings.is(kShowPassword, 1))
        Text1.PasswordChar(0);
    restore_interval(settings.interval_choice());
    // A damaged line is not kept: the slider's value replaces it.
    alpha_line_ = {settings.number(kTransparencyAlpha) ? settings.line(kTransparencyAlpha) : "", false};
    icon_size_line_ = {settings.number(kToolIconSize) ? settings.line(kToolIconSize) : "", false};
}

std::string Form10::slider_line(rt::Slider& slider, const SliderLine& line)
{
    return line.moved || line.as_read.empty() ? std::to_string(slider.Value()) : line.as_read;
}

void Form10::restore_interval(int choice)
{
    rt::OptionButton* options[] = {&Option1, &Option2, &Option3, &Option4};
    if (choice >= 1 && choice <= 4)
        options[choice - 1]->Value(true);
}

// The last selected of the four, or 0 for none.
int Form10::interval_choice()
{
    int choice = 0;
    rt::OptionButton* options[] = {&Option1, &Option2, &Option3, &Option4};
    for (int i = 0; i < 4; ++i)
        if (options[i]->Value())
            choice = i + 1;
    return choice;
}

void Form10::Check4_Click()
{
    const bool ticked = Check4.Value() == 1;
    Check10.Visible(ticked);
    if (!ticked)
        Check10.Value(0);
}

void Form10::Check12_Click()
{
    const bool ticked = Check12.Value() == 1;
    for (rt::CheckBox* box : {&Check13, &Check14}) {
        box->Visible(ticked);
        if (!ticked)
            box->Value(0);
    }
    Label3.Visible(ticked);
}

void Form10::save_settings()
{
    Settings settings;
    for (int n = 1; n < kAutoCleanInterval; ++n) {
        std::string& line = settings.lines[n - 1];
        if (rt::CheckBox* box = check_box_of_line(*this, n))
            line = std::to_string(box->Value());
        else if (n == kTransparencyAlpha)
            line = slider_line(Slider1, alpha_line_);
        else if (n == kToolIconSize)
            line = slider_line(Slider2, icon_size_line_);
        else
            line = Option1.Value() ? "True" : "False";
    }
    settings.lines[kAutoCleanInterval - 1] = interval_line(interval_choice());
    try {
        write_settings(settings_path(), settings);
    } catch (const rt::RuntimeError& e) {
        MsgBox("The settings could not be saved (" + e.description() + ").\r\nThe settings file was left as it was.",
               rt::vbExclamation, rt::AppTitle);
    }
}

// The Run value follows line 3 as the file now holds it.
void Form10::apply_startup_value()
{
    const Settings saved = read_settings(settings_path());
    const std::string name = executable_stem();
    rt::StartupRegistry& registry = *sys().startup_registry;
    try {
        if (saved.is(kRunOnWindowsStartup, 1))
            registry.write(name, "\"" + sys().path(name + ".exe") + "\"");
        else if (saved.is(kRunOnWindowsStartup, 0))
            registry.remove(name);
    } catch (const rt::RuntimeError& e) {
        MsgBox("Windows refused to change the programs that start with it (" + e.description() +
                   ").\r\nYour other settings were saved.",
               rt::vbExclamation, rt::AppTitle);
    }
}

void Form10::Command1_Click()
{
    save_settings();
    apply_startup_value();
    Unload();
}

void Form10::Command2_Click() { Unload(); }

void Form10::Label3_Click()
{
    Command3.Visible(true);
    Command4.Visible(true);
    Text1.Visible(true);
    Text1.Text("");
}

void Form10::Command3_Click()
{
    try {
        write_password_file(sys().path(kPasswordFile), Text1.Text());
    } catch (const rt::RuntimeError& e) {
        // The typed password stays, so the user can try again.
        MsgBox("The password could not be saved (" + e.description() + ").\r\nThe old password still holds.",
               rt::vbExclamation, rt::AppTitle);
        return;
    }
    Command3.Visible(false);
    Command4.Visible(false);
    Text1.Visible(false);
    MsgBox("Password Changed", rt::vbOKOnly, rt::AppTitle);
}

void Form10::Command4_Click()
{
    Command3.Visible(false);
    Command4.Visible(false);
    Text1.Visible(false);
}

void Form10::Slider2_Click()
{
    Image1.Height(Slider2.Value());
    Image1.Width(Slider2.Value());
}

} // namespace pellmaris
