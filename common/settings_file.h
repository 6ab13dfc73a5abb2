#pragma once
// settings.ini: 23 lines, one value per line.
#include <array>
#include <optional>
#include <string>

namespace pellmaris {

inline constexpr int kSettingsLineCount = 23;

// Line numbers (1-based) of settings.ini.
enum SettingLine : int {
    kShutdownAfterCleanup = 1,
    kHideWelcome = 2,
    kRunOnWindowsStartup = 3,
    kMinimizeToTray = 4,
    kShowGuideWindow = 5,
    kScheduleClean = 6,
    kTransparency = 7,
    kTransparencyAlpha = 8,       // slider, 50 to 200
    kThirtyMinutesOption = 9,     // "True"/"False", written only
    kFullCleanOnStartup = 10,
    kHideFullCleanResults = 11,
    kTrayOnStartup = 12,
    kClassicTheme = 13,
    kToolIconSize = 14,           // slider, 1000 to 3090 twips
    kPasswordProtect = 15,
    kPasswordSettings = 16,
    kPasswordWindowsTools = 17,
    kHideSplash = 18,
    kShowInTaskbar = 19,
    kShowPassword = 20,
    kCreateFullCleanLogs = 21,
    kHideClosePrompt = 22,
    kAutoCleanInterval = 23,      // " 1 " to " 4 ", or empty for none
};

struct Settings {
    std::array<std::string, kSettingsLineCount> lines;   // lines[0] is line 1

    // The text of line n (1 to 23); raises 9 for any other n.
    std::string line(int n) const;
    // The number on line n exactly as read (blanks around it ignored); nothing when the line
    // holds no number. Readers that must refuse a damaged line use this.
    std::optional<double> number(int n) const;
    // The number on line n, or the shipped line's number when it holds none (0 for lines 9
    // and 23). Never rounded or held to a range: each reader decides what to do with a value
    // outside the one it expects.
    double value(int n) const;
    // Line n compared as a number: "1" and " 1 " equal 1, "0.6" and "2" do not.
    bool is(int n, double v) const { return value(n) == v; }
    // The auto-clean interval of line 23: 1 to 4 when the line equals one of them, else 0.
    int interval_choice() const;
};

// The shipped values (the same as resources/settings.ini).
Settings default_settings();

// Never throws. A missing file gives the defaults; a longer file gives its last complete
// block of 23 lines; a file shorter than one block keeps its lines and defaults the rest.
Settings read_settings(const std::string& path);

// Writes lines 1 to 22 as given and line 23 as interval_line(interval_choice()), each with CR LF.
// Written beside the old file and put in its place only when complete: on failure raises
// rt::RuntimeError and the old file stays as it was. A line holding CR or LF raises 5.
void write_settings(const std::string& path, const Settings& settings);

// Line 23 for an interval choice: 0 (none) gives "", 1 to 4 give " 1 " to " 4 "; else raises 5.
std::string interval_line(int choice);

} // namespace pellmaris
