// The main window's links: hover pictures, the windows behind the labels, the web links.
#include "mainwindow/Form1_navigation.h"
#include <algorithm>
#include <cctype>
#include "mainwindow/Form1.h"
#include "common/file_io.h"
#include "common/paths.h"
#include "app/Program.h"
#include "runtime/errors.h"
#include "runtime/filesys.h"
#include "runtime/text.h"
#include "runtime/textfile.h"

namespace pellmaris {

namespace {

constexpr const char* kClassicBrowser = "C:\\Program Files\\Internet Explorer\\IEXPLORE.EXE";
// Hands the address to whatever browser the user chose (the system folder's rundll32).
constexpr const char* kDefaultBrowser = "rundll32.exe url.dll,FileProtocolHandler";
constexpr const char* kFeedbackPage = "https://pellmaris.example.org/feedback.html";

void open_settings_window(Program& app, bool classic_layout) { app.Form10.open(classic_layout); }
// The prompt keeps the layout, so that the right password opens the window the label asked for.
void open_settings_password_prompt(Program& app, bool classic_layout) { app.Form15.open(classic_layout); }
void open_tools_window(Program& app) { app.Form11.Show(); }
void open_tools_password_prompt(Program& app) { app.Form14.Show(); }

// The area selection puts on its classic layout itself, whichever way it opens.
void open_area_selection(Program& app)
{
    app.Form1.Hide();
    app.Form3.Show();
}

void open_system_status(Program& app) { app.Form13.Show(); }

// The lines of the lock. A settings file that is there but cannot be read might hold a lock
// that is on: it opens nothing, and says why.
std::optional<Settings> lock_settings(rt::System& sys)
{
    const std::string path = sys.path(kSettingsFile);
    try {
        read_lines_strict(path);
    } catch (const rt::RuntimeError& e) {
        sys.MsgBox("The settings file cannot be read (" + e.description() + ").", rt::vbExclamation, rt::AppTitle);
        return std::nullopt;
    }
    return read_settings(path);
}

// Opens a web address in a maximised browser; anything else opens nothing, and a browser
// that cannot be started ends quietly.
void open_address(rt::System& sys, const std::string& address)
{
    if (!is_web_address(address))
        return;
    try {
        sys.Shell(browser_command(address, rt::file_exists(kClassicBrowser)), rt::vbMaximizedFocus);
    } catch (const std::exception&) {
    }
}

void open_web_link(rt::System& sys)
{
    open_address(sys, rt::Trim(last_web_address(sys.path(kWebLinksFile))));
}

void open_settings_gate(Program& app, const Settings& settings, bool classic_layout)
{
    switch (settings_gate(settings)) {
    case GateChoice::PasswordPrompt: open_settings_password_prompt(app, classic_layout); break;
    case GateChoice::Window: open_settings_window(app, classic_layout); break;
    case GateChoice::Nothing: break;
    }
}

void show_hover(rt::PictureBox& hover) { hover.Visible(true); }

} // namespace

GateChoice gate_choice(std::optional<double> password_protect, std::optional<double> area_protected)
{
    if (!password_protect || !area_protected)
        return GateChoice::Nothing;
    if (*password_protect == 1 && *area_protected == 1)
        return GateChoice::PasswordPrompt;
    if ((*password_protect == 0 || *password_protect == 1) && *area_protected == 0)
        return GateChoice::Window;
    return GateChoice::Nothing;
}

GateChoice settings_gate(const Settings& settings)
{
    return gate_choice(settings.number(kPasswordProtect), settings.number(kPasswordSettings));
}

GateChoice tools_gate(const Settings& settings)
{
    return gate_choice(settings.number(kPasswordProtect), settings.number(kPasswordWindowsTools));
}

std::string last_web_address(const std::string& web_links_path)
{
    std::string address;
    try {
        rt::TextFile file(web_links_path, rt::TextFile::Input);
        while (!file.eof()) {
            file.line_input();   // the link's name, not shown
            address = file.line_input();
        }
    } catch (const std::exception&) {
        return "";   // missing file, or a name without its address
    }
    return address;
}

bool is_web_address(const std::string& address)
{
    std::string scheme = address.substr(0, address.find(':'));
    for (char& c : scheme)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if ((scheme != "http" && scheme != "https") || address.compare(scheme.size(), 3, "://") != 0 ||
        address.size() == scheme.size() + 3)
        return false;
    // One argument of the browser's command line: no blank, quote or control character.
    return std::none_of(address.begin(), address.end(), [](char c) {
        const auto u = static_cast<unsigned char>(c);
        return u <= ' ' || u == 0x7f || c == '"';
    });
}

std::string browser_command(const std::string& address, bool classic_browser_present)
{
    const std::string browser = classic_browser_present ? "\"" + std::string(kClassicBrowser) + "\"" : kDefaultBrowser;
    return browser + " " + address;
}

void Form1::Picture1_MouseMove(int, int, float, float) { show_hover(Picture2); }
void Form1::Picture3_MouseMove(int, int, float, float) { show_hover(Picture4); }
void Form1::Picture5_MouseMove(int, int, float, float) { show_hover(Picture6); }
void Form1::Picture7_MouseMove(int, int, float, float) { show_hover(Picture8); }
void Form1::Picture9_MouseMove(int, int, float, float) { show_hover(Picture10); }
void Form1::Picture11_MouseMove(int, int, float, float) { show_hover(Picture12); }

void Form1::Picture13_MouseMove(int, int, float, float)
{
    for (rt::PictureBox* hover : {&Picture2, &Picture4, &Picture6, &Picture8, &Picture10, &Picture12})
        hover->Visible(false);
}

void Form1::Label16_Click()
{
    if (const auto settings = lock_settings(sys()))
        open_settings_gate(app, *settings, false);
}

// The classic theme's own settings label: the same lock, the classic look of the window.
void Form1::Label17_Click()
{
    const auto settings = lock_settings(sys());
    if (settings && settings->is(kClassicTheme, 1))
        open_settings_gate(app, *settings, true);
}

void Form1::Label20_Click()
{
    const auto settings = lock_settings(sys());
    if (!settings)
        return;
    switch (tools_gate(*settings)) {
    case GateChoice::PasswordPrompt: open_tools_password_prompt(app); break;
    case GateChoice::Window: open_tools_window(app); break;
    case GateChoice::Nothing: break;
    }
}

void Form1::Label21_Click() { open_system_status(app); }
void Form1::Label18_Click() { open_address(sys(), kFeedbackPage); }
void Form1::Label2_Click() { open_web_link(sys()); }
void Form1::Label6_Click() { open_web_link(sys()); }

void Form1::Picture12_Click()
{
    open_web_link(sys());
    SetForegroundWindow(hWnd());
}

void Form1::Picture10_Click() { open_area_selection(app); }

// Never armed: both timers have no interval and nothing writes anal.bat.
void Form1::Timer2_Timer()
{
    sys().ShellBatch("anal.bat", rt::vbHide);
    Timer1.Interval(2000);
    Timer1.Enabled(true);
    Timer2.Enabled(false);
}

void Form1::Timer1_Timer()
{
    Timer1.Enabled(false);
    for (const std::string& line : read_lines_tolerant(sys().path("anal.txt")))
        app.Form2.List1.AddItem(line);
    app.Form2.Show();
}

} // namespace pellmaris
