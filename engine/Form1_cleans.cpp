// The clean actions of the main window: the full clean and the GAMER, INTERNET and TEMP cleans.
#include "common/area_options.h"
#include "common/last_clean.h"
#include "common/paths.h"
#include "common/settings_file.h"
#include "common/size_text.h"
#include "engine/area_values.h"
#include "engine/clean_rules.h"
#include "engine/clean_support.h"
#include "engine/location_database.h"
#include "app/Program.h"
#include "runtime/textfile.h"

namespace pellmaris {

using namespace clean_support;

namespace {

constexpr long kNormalHeight = 6075, kGrownHeight = 6975;

const char* const kAreaNotSelected =
    "This Area has not been selected to clean. Select this area in the Advanced Section";
const char* const kShutdownQuestion = "Are You Sure You Want To Shutdown Windows? Auto Shutdown In 1minute";
const char* const kShutdownCommand = "shutdown -f -s -t 00";

// Clear-tracks commands of the Internet options: form data, passwords, add-ons.
const char* const kClearFormData = "RunDll32.exe InetCpl.cpl,ClearMyTracksByProcess 16";
const char* const kClearPasswords = "RunDll32.exe InetCpl.cpl,ClearMyTracksByProcess 32";
const char* const kClearAddOns = "RunDll32.exe InetCpl.cpl,ClearMyTracksByProcess 4351";

const char* const kFullListHeader = "      List of files Deleted";
const char* const kFullNoFiles = "         no files found to delete";
const char* const kAreaListHeader = "List of files Deleted";
const char* const kAreaNoFiles = "     no files found to delete";

// A clean changes what the analysis listed: its file lists go.
void unload_analysis_results(Program& app)
{
    if (app.Form8.is_loaded())
        app.Form8.Unload();
}

// Grows the window twip by twip; a step that leaves the height in pixels as it was is
// not handed to the window.
void grow_main_window(Form1& f)
{
    long shown = -1;
    for (long height = kNormalHeight; height <= kGrownHeight; ++height) {
        const long pixels = rt::twips_to_pixels_y(height);
        if (pixels != shown || height == kGrownHeight)
            f.Height(height);
        shown = pixels;
    }
}

// A command that cannot be started is passed over like one that fails later.
void start_hidden(Program& app, const char* command)
{
    ignoring_errors([&] { app.sys.Shell(command, rt::vbHide); });
}

void add_lines(Program& app, std::initializer_list<const char*> lines)
{
    for (const char* line : lines)
        add_report_line(app, line);
}

void run_section(Form1& f, const char* tag)
{
    f.section_tag = tag;
    f.entry_count = 0;
    f.locations_done = 0;
    f.first_pass();
    f.clean_selected_area();
}

void set_report_line(Program& app, std::size_t index, const std::string& line)
{
    auto& report = app.Form1.clean.report;
    if (report.size() <= index)
        report.resize(index + 1);
    report[index] = line;
}

// Scales the byte count in place and writes the totals line at index 1.
void write_totals(Program& app)
{
    Form1& f = app.Form1;
    set_report_line(app, 1, totals_line(f.files_deleted, f.bytes_freed));
    f.bytes_freed = scale_bytes(f.bytes_freed).value;
}

// The report keeps the lines added so far; a clean that failed before it began its report
// leaves the report list alone.
void show_failure(Program& app, bool report_started)
{
    if (report_started)
        publish_report(app);
    app.sys.MsgBox(kAreaOptionsMissing, rt::vbInformation, rt::AppTitle);
}

} // namespace

// ---- Full clean ----

namespace {

void full_clean_gamer(Program& app, const FullCleanAreas& areas)
{
    Form1& f = app.Form1;
    if (!areas.set(1)) {
        add_lines(app, {"GAMER CLEANING NOT SELECTED IN ADVANCED OPTIONS", "      NO GAMER FILES DELETED"});
    } else if (areas.set(2)) {
        add_lines(app, {"GAMER CLEANING COMPLETE", kFullListHeader});
        f.deep_scan = 0;
        run_section(f, kSectionGamer);
    }
}

void full_clean_internet_section(Program& app, bool selected, const char* tag, std::initializer_list<const char*> done,
                                 std::initializer_list<const char*> not_selected)
{
    if (!selected) {
        add_lines(app, not_selected);
        return;
    }
    add_lines(app, done);
    app.Form1.deep_scan = 1;
    run_section(app.Form1, tag);
}

void full_clean_internet(Program& app, const FullCleanAreas& areas)
{
    if (!areas.set(3)) {
        add_lines(app, {"INTERNET CLEANING NOT SELECTED IN ADVANCED OPTIONS", "      NO TEMPORARY INTERNET FILES DELETED",
                        "      NO COOKIES DELETED", "      NO BROWSER HISTORY FILES DELETED", "      NO FORM DATA DELETED",
                        "      NO PASSWORDS DELETED", "      NO ADD-ONS INFORMATION DELETED"});
        return;
    }
    add_report_line(app, "INTERNET CLEANING COMPLETE");
    full_clean_internet_section(app, areas.set(4), kSectionInternet,
                                {"  TEMPORARY INTERNET FILES CLEANING COMPLETE", kFullListHeader},
                                {"  TEMPORARY INTERNET CLEANING NOT SELECTED IN ADVANCED OPTIONS",
                                 "      NO TEMPORARY INTERNET FILES DELETED"});
    full_clean_internet_section(app, areas.set(5), kSectionCookies, {"  COOKIES CLEANING COMPLETE", kFullListHeader},
                                {"  COOKIES CLEANING NOT SELECTED IN ADVANCED OPTIONS", "      NO COOKIES DELETED"});
    if (!areas.set(6))
        add_lines(app, {"  BROWSER HISTORY CLEANING NOT SELECTED IN ADVANCED OPTIONS",
                        "      NO BROWSER HISTORY FILES DELETED"});
    else if (app.Form1.clear_url_history())
        add_report_line(app, "  BROWSER HISTORY DELETED");
    if (areas.set(7)) {
        add_report_line(app, "  FORM DATA DELETED");
        start_hidden(app, kClearFormData);
    } else {
        add_lines(app, {"  FORM DATA CLEANING NOT SELECTED IN ADVANCED OPTIONS", "      NO FORM DATA DELETED"});
    }
    if (areas.set(8)) {
        add_report_line(app, "  PASSWORDS CLEANING COMPLETE");
        start_hidden(app, kClearPasswords);
    } else {
        add_lines(app, {"  PASSWORDS CLEANING NOT SELECTED IN ADVANCED OPTIONS", "      NO PASSWORDS DELETED"});
    }
    bool all_browser_data = true;
    for (int n = 4; n <= 9; ++n)
        all_browser_data = all_browser_data && areas.set(n);
    if (all_browser_data) {
        add_report_line(app, "  ADD-ONS CLEANING COMPLETE");
        start_hidden(app, kClearAddOns);
    }
}

void full_clean_temp(Program& app, const FullCleanAreas& areas)
{
    Form1& f = app.Form1;
    if (!areas.set(10)) {
        add_lines(app, {"TEMPORARY FILES CLEANING NOT SELECTED IN ADVANCED OPTIONS", "      NO TEMPORARY FILES DELETED"});
        return;
    }
    add_report_line(app, "TEMPORARY CLEANING COMPLETE");
    if (areas.set(11)) {
        add_lines(app, {"  TEMPORARY FILES CLEANING COMPLETE", kFullListHeader});
        f.deep_scan = 0;
        run_section(f, kSectionTemp);
    } else {
        add_lines(app, {"  TEMPORARY FILES CLEANING NOT SELECTED IN ADVANCED OPTIONS", "      NO TEMPORARY FILES DELETED"});
    }
    if (areas.set(12)) {
        add_report_line(app, "  LOG FILES CLEANING COMPLETE");
        f.clean_logfiles();
    } else {
        add_lines(app, {"  LOG FILES CLEANING NOT SELECTED IN ADVANCED OPTIONS", "      NO LOG FILES DELETED"});
    }
}

void full_clean_user_locations(Program& app, const FullCleanAreas& areas)
{
    if (areas.equals(13, 2))
        return;   // no user-locations row
    if (areas.set(13)) {
        app.Form1.deep_scan = 0;
        app.Form1.clean_userfiles();
    } else {
        add_lines(app, {"USER LOCATIONS CLEANING NOT SELECTED IN ADVANCED OPTIONS", "      NO USER LOCATIONS FILES DELETED"});
    }
}

// date.lst and the three last-clean captions.
void record_last_clean(Program& app, int64_t bytes_freed)
{
    Form1& f = app.Form1;
    const std::string path = app.sys.path(kLastCleanFile);
    write_last_clean(path, make_last_clean(app.sys.clock->now(), f.files_deleted, bytes_freed));
    if (auto record = read_last_clean(path)) {
        f.Label7.Caption("Last Full Clean Done On " + record->date + " at " + record->time);
        f.Label8.Caption("Last Full Clean Results " + record->files + " Files Removed");
        f.Label10.Caption("Space Freed Last Clean " + record->space);
    }
}

void show_full_clean_result(Program& app, const Settings& settings, bool scheduled)
{
    Form1& f = app.Form1;
    if (settings.is(kHideFullCleanResults, 1)) {
        f.Height(kNormalHeight);
    } else if (!scheduled) {
        f.Hide();
        f.Height(kNormalHeight);
        app.Form2.Show();
    } else {
        if (app.Form9.is_loaded())
            app.Form9.Unload();   // a fresh load reads the new record
        app.Form9.Show();
    }
}

void offer_shutdown(Program& app)
{
    Form1& f = app.Form1;
    f.Timer4.Enabled(true);
    if (app.sys.MsgBox(kShutdownQuestion, rt::vbYesNo, rt::AppTitle) == rt::vbYes) {
        ignoring_errors([&] { app.sys.Shell(kShutdownCommand, rt::vbMinimizedFocus); });
        app.end();
        return;
    }
    f.Timer4.Enabled(false);
}

} // namespace

void Form1::Picture2_Click()
{
    CleanGuard guard(clean);
    if (!guard.acquired())
        return;
    const bool scheduled = scheduled_run != 0;   // a tick during the clean cannot redirect it
    files_deleted = 0;
    const std::string area_file = app.sys.path(kAreaOptionsFile);
    const FullCleanAreas areas = read_full_clean_areas(area_file);
    force_read_only = areas.force.read_only.value_or(force_read_only);
    force_hidden = areas.force.hidden.value_or(force_hidden);
    if (!scheduled)
        grow_main_window(*this);
    int64_t bytes_before_scaling = 0;
    bool report_started = false;
    try {
        bytes_freed = 0;
        rt::TextFile(area_file, rt::TextFile::Input).close();
        start_report(app);
        report_started = true;
        add_lines(app, {"FULL CLEAN UP COMPLETE", "", "", "", ""});
        full_clean_gamer(app, areas);
        full_clean_internet(app, areas);
        full_clean_temp(app, areas);
        full_clean_user_locations(app, areas);
        bytes_before_scaling = bytes_freed;
        write_totals(app);
    } catch (const std::exception&) {
        show_failure(app, report_started);
        return;
    }
    ignoring_errors([&] { record_last_clean(app, bytes_before_scaling); });
    finish_report(clean.report, kFullListHeader, kFullNoFiles);
    publish_report(app);
    ignoring_errors([&] { unload_analysis_results(app); });
    const Settings settings = read_settings(app.sys.path(kSettingsFile));
    ignoring_errors([&] { show_full_clean_result(app, settings, scheduled); });
    if (settings.is(kShutdownAfterCleanup, 1))
        ignoring_errors([&] { offer_shutdown(app); });
}

// ---- Single-area cleans ----

namespace {

enum class Area { Gamer, Internet, Temp };

struct AreaClean {
    Area area;
    int gate_position;
    int sub_option_count;
    int16_t deep_scan;
};

void gamer_steps(Program& app, const SingleAreaValues&)
{
    add_lines(app, {"GAMER CLEANING COMPLETE", "", "", kAreaListHeader});
    grow_main_window(app.Form1);
    run_section(app.Form1, kSectionGamer);
}

// Sub-options of the INTERNET clean: 1 temporary internet files, 2 cookies, 3 history,
// 4 form data, 5 passwords, 6 add-ons.
void internet_steps(Program& app, const SingleAreaValues& v)
{
    add_lines(app, {"INTERNET CLEANING COMPLETE", "", ""});
    if (v.sub_option(3) && app.Form1.clear_url_history())
        add_report_line(app, "BROWSER HISTORY DELETED");
    if (v.sub_option(1)) {
        add_report_line(app, kAreaListHeader);
        run_section(app.Form1, kSectionInternet);
    }
    if (v.sub_option(2)) {
        add_report_line(app, kAreaListHeader);
        run_section(app.Form1, kSectionCookies);
    }
    if (v.sub_option(4))
        start_hidden(app, kClearFormData);
    if (v.sub_option(5))
        start_hidden(app, kClearPasswords);
    if (v.sub_option(6))
        start_hidden(app, kClearAddOns);
}

// Sub-options of the TEMP clean: 1 temporary files, 2 log files.
void temp_steps(Program& app, const SingleAreaValues& v)
{
    add_lines(app, {"TEMPORARY CLEANING COMPLETE", "", ""});
    if (v.sub_option(1)) {
        add_report_line(app, kAreaListHeader);
        run_section(app.Form1, kSectionTemp);
    }
    if (v.sub_option(2)) {
        add_report_line(app, "LOG FILES CLEANING COMPLETE");
        app.Form1.clean_logfiles();
    }
}

void run_area_steps(Program& app, Area area, const SingleAreaValues& v)
{
    switch (area) {
    case Area::Gamer: gamer_steps(app, v); break;
    case Area::Internet: internet_steps(app, v); break;
    case Area::Temp: temp_steps(app, v); break;
    }
}

// Returns false when the clean ended at its gate or on its failure path.
bool clean_one_area(Program& app, const AreaClean& clean)
{
    Form1& f = app.Form1;
    f.files_deleted = 0;
    bool report_started = false;
    try {
        f.bytes_freed = 0;
        const SingleAreaValues values =
            read_single_area_values(app.sys.path(kAreaOptionsFile), clean.gate_position, clean.sub_option_count);
        if (values.gate_closed()) {
            app.sys.MsgBox(kAreaNotSelected, rt::vbInformation, rt::AppTitle);
            return false;
        }
        if (values.force.read_only)
            f.force_read_only = *values.force.read_only;
        if (values.force.hidden)
            f.force_hidden = *values.force.hidden;
        if (values.force_error)
            throw *values.force_error;
        f.deep_scan = clean.deep_scan;
        start_report(app);
        report_started = true;
        if (clean.area != Area::Gamer)
            grow_main_window(f);
        run_area_steps(app, clean.area, values);
        write_totals(app);
    } catch (const std::exception&) {
        show_failure(app, report_started);
        return false;
    }
    return true;
}

void show_area_report(Program& app, Area area)
{
    Form1& f = app.Form1;
    finish_report(f.clean.report, kAreaListHeader, kAreaNoFiles);
    publish_report(app);
    ignoring_errors([&] {
        f.Hide();
        if (area != Area::Temp)
            unload_analysis_results(app);
        f.Height(kNormalHeight);
        app.Form2.Show();
    });
}

void single_area_clean(Program& app, const AreaClean& clean)
{
    CleanGuard guard(app.Form1.clean);
    if (!guard.acquired())
        return;
    if (clean_one_area(app, clean))
        show_area_report(app, clean.area);
}

} // namespace

void Form1::Picture4_Click() { single_area_clean(app, {Area::Gamer, kRowTempGameCache, 0, 0}); }

void Form1::Picture6_Click() { single_area_clean(app, {Area::Internet, kRowInternet, 6, 1}); }

void Form1::Picture8_Click() { single_area_clean(app, {Area::Temp, kRowTemporaryFiles, 2, 0}); }

} // namespace pellmaris
