// The main window's load: welcome text, theme and layout, start-up actions, environment
// values and the last full clean.
#include <algorithm>
#include <cmath>
#include "common/area_options.h"
#include "common/file_io.h"
#include "common/last_clean.h"
#include "common/paths.h"
#include "common/settings_file.h"
#include "app/Program.h"
#include "engine/environment.h"
#include "mainwindow/Form1.h"
#include "runtime/errors.h"
#include "runtime/filesys.h"
#include "runtime/text.h"

namespace pellmaris {

namespace {

constexpr long kClassicWidth = 9650, kClassicHeight = 6000;
constexpr long kNarrowWidth = 8415;
constexpr long kNarrowLinkLeft = 5760;
constexpr long kNarrowStatusWidth = 8175;


struct SkinPicture {
    rt::PictureBox Form1::*box;
    const char* file;
};

constexpr SkinPicture kSkinButtons[] = {
    {&Form1::Picture1, "fullclean_off.jpg"}, {&Form1::Picture2, "fullclean_on.jpg"},
    {&Form1::Picture3, "gamer_off.jpg"},     {&Form1::Picture4, "gamer_on.jpg"},
    {&Form1::Picture5, "internet_off.jpg"},  {&Form1::Picture6, "internet_on.jpg"},
    {&Form1::Picture7, "temp_off.jpg"},      {&Form1::Picture8, "temp_on.jpg"},
    {&Form1::Picture9, "advanced_off.jpg"},  {&Form1::Picture10, "advanced_on.jpg"},
};
constexpr const char* kSkinBackground = "back.jpg";

std::string skin_path(const rt::System& sys, const char* file)
{
    return sys.path(std::string(kSkinFolder) + "\\" + file);
}

// A skin picture that is missing or broken leaves the built-in picture in place.
template <typename Target>
void load_skin_picture(Target& target, const std::string& path)
{
    try {
        target.LoadPicture(path);
    } catch (const rt::RuntimeError&) {
    }
}

// The alpha of line 8. A value outside 0 to 255, like a non-number, takes the shipped alpha,
// so that a damaged line never makes the window invisible; 0 itself is the user's choice.
BYTE transparency_alpha(const Settings& settings)
{
    const auto number = settings.number(kTransparencyAlpha);
    if (!number || *number < 0 || *number > 255)
        return static_cast<BYTE>(default_settings().value(kTransparencyAlpha));
    return static_cast<BYTE>(rt::round_half_even(*number));
}

void make_translucent(HWND window, BYTE alpha)
{
    LONG style = GetWindowLongW(window, GWL_EXSTYLE);
    SetWindowLongW(window, GWL_EXSTYLE, style | WS_EX_LAYERED);
    SetLayeredWindowAttributes(window, 0, alpha, LWA_ALPHA);
}

// The strip a clean shows (the file caption and the progress bar), as wide as given.
void fit_clean_strip(Form1& form, long width)
{
    form.ProgressBar1.Width(width);
    form.Label2.Width(width);
}

void delete_quietly(const std::string& path)
{
    try {
        rt::kill_file(path);
    } catch (const rt::RuntimeError&) {
    }
}

} // namespace

void Form1::Form_Load()
{
    show_welcome_text();
    const Settings settings = read_settings(sys().path(kSettingsFile));
    if (settings.is(kClassicTheme, 1))
        apply_classic_theme();

    scheduled_run = 0;
    deep_scan = 0;
    app.Form2.List1.Clear();
    Caption(std::string(rt::AppTitle) + "        Version " + rt::version_text());

    if (settings.is(kHideWelcome, 1))
        apply_narrow_layout();

    const EnvironmentValues environment = environment_values(sys().program_folder);
    home_drive = environment.home_drive;
    user_profile = environment.user_profile;

    // The log holds only the errors since the main window last loaded.
    delete_quietly(sys().path(kErrorLogFile));

    if (settings.is(kTrayOnStartup, 1)) {
        WindowState(rt::vbNormal);
        WindowState(rt::vbMinimized);
        minimize_to_tray();
    }
    if (settings.is(kFullCleanOnStartup, 1))
        Picture2_Click();
    if (settings.is(kTransparency, 1))
        make_translucent(hWnd(), transparency_alpha(settings));

    if (!rt::file_exists(sys().path(kAreaOptionsFile)))
        MsgBox(kAreaOptionsMissing, rt::vbInformation, rt::AppTitle);

    show_last_clean();
    Label13.Caption("Program Version " + rt::version_text());
    auto_clean_ticks = 0;
}

// info.ini is read in records of three lines; the last record is shown.
void Form1::show_welcome_text()
{
    const std::vector<std::string> record = last_block(read_lines_tolerant(sys().path(kWelcomeFile)), 3);
    rt::Label* labels[] = {&Label12, &Label19, &Label22};
    for (std::size_t i = 0; i < record.size() && i < 3; ++i)
        labels[i]->Caption(record[i]);
}

void Form1::apply_classic_theme()
{
    for (const SkinPicture& picture : kSkinButtons) {
        rt::PictureBox& box = this->*picture.box;
        load_skin_picture(box, skin_path(sys(), picture.file));
        box.AutoSize(true);
    }
    load_skin_picture(static_cast<rt::Form&>(*this), skin_path(sys(), kSkinBackground));
    Width(kClassicWidth);
    Height(kClassicHeight);
    fit_clean_strip(*this, ScaleWidth() - 2 * Label2.Left());
    Frame1.Visible(false);
    Picture13.Visible(false);
    Label17.Visible(true);
}

void Form1::apply_narrow_layout()
{
    try {
        Width(kNarrowWidth);
        Frame1.Visible(false);   // the welcome area, which the narrow window has no room for
        Picture13.Width(std::min(Picture13.Width(), ScaleWidth()));
        Picture11.Left(kNarrowLinkLeft);
        Picture12.Left(kNarrowLinkLeft);
        fit_clean_strip(*this, kNarrowStatusWidth);
        Label17.Visible(true);
    } catch (const rt::RuntimeError&) {
        // The rest of the narrow layout is passed over; the load goes on.
    }
}

void Form1::show_last_clean()
{
    if (auto record = read_last_clean(sys().path(kLastCleanFile))) {
        Label7.Caption("Last Full Clean Done On " + record->date + " at " + record->time);
        Label8.Caption("Last Full Clean Results " + record->files + " Files Removed");
        Label10.Caption("Space Freed Last Full Clean " + record->space);
    } else {
        Label7.Caption("No Full Clean Done");
        Label8.Caption("No Full Clean Results");
        Label10.Caption("Space Freed Last Full Clean");
    }
}

} // namespace pellmaris
