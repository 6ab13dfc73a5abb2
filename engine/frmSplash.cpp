#include "engine/frmSplash.h"
#include "common/area_options.h"
#include "common/paths.h"
#include "common/settings_file.h"
#include "app/Program.h"
#include "engine/environment.h"
#include "engine/location_database.h"
#include "runtime/errors.h"
#include "runtime/filesys.h"
#include "runtime/text.h"
#include "runtime/textfile.h"

namespace pellmaris {

namespace {

// The splash picture is 480 x 300 pixels; the window takes its size.
constexpr long kWidth = 7200, kHeight = 4500;
constexpr long kLabelHeight = 240;

const COLORREF kCaptionOnClassic = RGB(0xDC, 0xEB, 0xF2);
const COLORREF kCaptionOnDefault = RGB(0x3C, 0x5A, 0x78);

constexpr const char* kSplashResource = "SPLASH_DEFAULT";
constexpr const char* kClassicSplash = "splash.jpg";

constexpr const char* kNoDatabaseFollowUp = "No GAMER, INTERNET or TEMP location can be cleaned until it is restored";

void place_caption(rt::Label& label, const char* caption, long left, long top, long width, int alignment)
{
    label.Caption(caption);
    label.Move(left, top, width, kLabelHeight);
    label.Transparent(true);
    label.Alignment(alignment);
    label.Font("Tahoma", 8);
}

// The systeminfo line "<label>:<value>" gives the value when the line starts with the label.
bool take_info(const std::string& line, const std::string& label, std::string& value)
{
    if (rt::UCase(rt::Left(line, static_cast<long>(label.size()))) != rt::UCase(label))
        return false;
    value = rt::Trim(rt::Mid(line, static_cast<long>(label.size()) + 1));
    return true;
}

} // namespace

frmSplash::frmSplash(Program& program) : rt::Form(program.sys, "frmSplash"), app(program)
{
    Timer1.on_timer = [this] { Timer1_Timer(); };
    Timer2.on_timer = [this] { Timer2_Timer(); };
}

void frmSplash::design()
{
    Caption(rt::AppTitle);
    BorderStyle(rt::bsNone);
    ShowInTaskbar(false);
    ControlBox(false);
    ScaleSize(kWidth, kHeight);
    Move((rt::Screen::Width() - Width()) / 2, (rt::Screen::Height() - Height()) / 2);

    // The load arms Timer1 once it is done, so that a message box during the load
    // cannot start the sequence early.
    Timer1.Interval(1000);
    Timer1.Enabled(false);
    Timer2.Interval(0);

    // Two rows along the bottom edge, clear of the picture's own texts.
    place_caption(lblProductName, "Pellmaris", 2400, 3930, 2000, 0);
    place_caption(lblCompanyProduct, "Company: Orvane", 2400, 4170, 2000, 0);
    place_caption(lblVersion, "Version", 4500, 3930, 2550, 1);
    place_caption(lblPlatform, "Platform", 4500, 4170, 2550, 1);
}

void frmSplash::start()
{
    Load();
    if (!keep_hidden_)
        Show();
}

void frmSplash::Form_Load()
{
    Settings settings = read_settings(sys().path(kSettingsFile));
    const bool classic = settings.is(kClassicTheme, 1);
    show_splash_picture(classic);
    colour_captions(classic);
    keep_hidden_ = settings.is(kHideSplash, 1);

    load_location_database();
    lblVersion.Caption("Version " + rt::version_text());
    lblProductName.Caption(rt::AppTitle);
    write_batch_files();

    Timer1.Interval(1000);
    Timer1.Enabled(true);
}

void frmSplash::show_splash_picture(bool classic_theme)
{
    if (classic_theme) {
        try {
            LoadPicture(sys().path(std::string(kSkinFolder) + "\\" + kClassicSplash));
            return;
        } catch (const rt::RuntimeError&) {
            // A missing or broken skin picture: the built-in one stands in.
        }
    }
    try {
        LoadResourcePicture(kSplashResource);
    } catch (const rt::RuntimeError&) {
        // Without any picture the window keeps its plain background.
    }
}

void frmSplash::colour_captions(bool classic_theme)
{
    for (rt::Label* label : {&lblProductName, &lblCompanyProduct, &lblVersion, &lblPlatform})
        label->ForeColor(classic_theme ? kCaptionOnClassic : kCaptionOnDefault);
}

void frmSplash::load_location_database()
{
    const std::string path = sys().path(kLocationDatabaseFile);
    std::vector<std::string> lines;
    try {
        lines = decode_location_database(path);
    } catch (const rt::RuntimeError&) {
        const char* problem = rt::file_exists(path) ? "The location database PMlist.lst cannot be read"
                                                    : "The location database PMlist.lst is missing";
        MsgBox(std::string(problem) + "\n" + kNoDatabaseFollowUp, rt::vbExclamation, rt::AppTitle);
    }
    for (const std::string& line : lines)
        app.Form5.List1.AddItem(line);
}

// A batch that cannot be written (a folder that cannot be written, a link in its place) leaves
// its dump unmade: the environment values come from the process and the system captions keep
// their design text.
void frmSplash::write_batch_files()
{
    env_batch_written_ = write_dump_batch(kEnvBatch, "set", kEnvDump);
    sysinfo_batch_written_ = write_dump_batch(kSysInfoBatch, "systeminfo", kSysInfoDump);
}

bool frmSplash::write_dump_batch(const char* batch, const char* command, const char* dump)
{
    try {
        write_batch_file(sys().path(batch), dump_command(command, dump));
        return true;
    } catch (const rt::RuntimeError&) {
        return false;
    }
}

void frmSplash::Timer1_Timer()
{
    if (env_batch_written_)
        start_dump_batch(kEnvBatch, kEnvDump);
    if (sysinfo_batch_written_)
        start_dump_batch(kSysInfoBatch, kSysInfoDump);
    Timer1.Enabled(false);
    Timer2.Interval(4000);
    Timer2.Enabled(true);
}

// The dump is made anew as a plain file first, so that the interpreter's redirection writes
// into it and never through a link in its place; a dump that cannot be made is not run for.
void frmSplash::start_dump_batch(const char* batch, const char* dump)
{
    try {
        rt::write_new_file(sys().path(dump), "");
        sys().ShellBatch(batch, rt::vbHide);
    } catch (const rt::RuntimeError&) {
        // Not started: its dump stays empty, which the readers allow for.
    }
}

void frmSplash::Timer2_Timer()
{
    Timer2.Enabled(false);
    copy_system_information();
    Unload();
    show_first_window();
}

// Each caption written loads the main window first, so its load runs here.
void frmSplash::copy_system_information()
{
    for (const std::string& raw : read_dump_lines(sys().path(kSysInfoDump))) {
        const std::string line = rt::Trim(raw);
        std::string value;
        if (take_info(line, "OS Name:", value))
            app.Form1.Label3.Caption("Operating System = " + value);
        if (take_info(line, "OS Version:", value))
            app.Form1.Label4.Caption("Version = " + value);
        if (take_info(line, "Total Physical Memory:", value))
            app.Form1.Label5.Caption("Toatal Memory = " + value);
    }
}

// The options follow the first "[LIST2]" line in groups of four; the fourth of the last
// group decides. A missing file, no such line or a short group means no analysis.
bool frmSplash::analyse_drive_at_start(const std::string& area_options_path)
{
    try {
        rt::TextFile in(area_options_path, rt::TextFile::Input);
        while (rt::UCase(rt::Trim(in.line_input())) != kList2Marker) {
        }
        std::string analyse;
        while (!in.eof()) {
            for (int field = 1; field <= 4; ++field)
                analyse = in.input_item();
        }
        return rt::equals_number(analyse, 1);
    } catch (const std::exception&) {
        return false;
    }
}

void frmSplash::show_first_window()
{
    if (analyse_drive_at_start(sys().path(kAreaOptionsFile)))
        show_analysis_window();
    else
        show_main_window();
}

void frmSplash::show_main_window()
{
    app.Form1.Load();
    // A main window that its load sent to the notification area stays there.
    if (!app.Form1.tray_icon_added)
        app.Form1.Show();
}

// Closing the analysis window shows the main window.
void frmSplash::show_analysis_window()
{
    app.Form7.Show();
}

} // namespace pellmaris
