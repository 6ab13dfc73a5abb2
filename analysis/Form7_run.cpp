// The analysis run: the load, the two timers, the columns in order and the grid's captions.
#include <climits>
#include "analysis/Form7.h"
#include "analysis/analysis_size_text.h"
#include "common/file_io.h"
#include "common/paths.h"
#include "common/user_locations.h"
#include "engine/area_values.h"
#include "engine/environment.h"
#include "engine/location_database.h"
#include "app/Program.h"
#include "engine/clean_support.h"
#include "runtime/filesys.h"

namespace pellmaris {

namespace {

constexpr long kCompactHeight = 2730, kEnlargedHeight = 7155;

// The main window, unless its load sent it to the notification area.
void show_main_window(Program& app)
{
    app.Form1.Load();
    if (!app.Form1.tray_icon_added)
        app.Form1.Show();
}

// The database sections of a column, walked as the column's clean walks them: the
// Internet sections into read-only, hidden and system folders, Gamer and Temp not.
struct ColumnSections {
    std::vector<const char*> sections;
    int16_t deep_scan;
};

ColumnSections column_sections(Form7::Column column)
{
    switch (column) {
    case Form7::kGamer: return {{kSectionGamer}, 0};
    case Form7::kInternet: return {{kSectionInternet, kSectionCookies}, 1};
    default: return {{kSectionTemp}, 0};
    }
}

} // namespace

void Form7::Form_Load()
{
    const EnvironmentValues environment = environment_values(sys().program_folder);
    home_drive = environment.home_drive;
    user_profile = environment.user_profile;
    Top(app.Form3.Top());   // loads the area selection when it is not loaded
    Left(rt::Screen::Width() / 2 - Width() / 2);
    app.Form3.Hide();
    waiting_area_set_ = false;
    Timer1.Enabled(true);
    Height(kCompactHeight);
}

void Form7::Form_Unload(int& /*cancel*/)
{
    if (app.Form8.is_loaded())
        app.Form8.Unload();
    show_main_window(app);
}

void Form7::Timer1_Timer()
{
    if (app.Form1.clean.running)
        return;   // never inside a clean: the next tick tries again
    Timer1.Enabled(false);
    analyse_location();
    ProgressBar1.Value(10);
    ProgressBar2.Value(ProgressBar2.Max());
    ProgressBar3.Value(100);
    Timer2.Enabled(true);
}

void Form7::Timer2_Timer()
{
    Timer2.Enabled(false);
    Height(kEnlargedHeight);
}

void Form7::analyse_location()
{
    cells = {};
    rule_ = clean_support::clean_rule(app);
    for (ColumnFiles& column : columns_)
        column.clear();
    for (rt::ProgressBar* bar : {&ProgressBar1, &ProgressBar2, &ProgressBar3})
        bar->Min(0);
    ProgressBar3.Max(100);
    ProgressBar1.Max(10);
    ProgressBar1.Value(0);

    const FullCleanAreas areas = read_full_clean_areas(sys().path(kAreaOptionsFile));
    force_read_only = areas.force.read_only.value_or(force_read_only);
    force_hidden = areas.force.hidden.value_or(force_hidden);
    ProgressBar1.Value(1);

    count_section_column(kGamer, 2);
    ProgressBar1.Value(3);
    count_section_column(kInternet, 4);
    ProgressBar1.Value(5);
    count_section_column(kTemp, 5);
    ProgressBar1.Value(6);
    user_column_shown_ = count_user_column();
    if (user_column_shown_) {
        ProgressBar1.Value(8);
        Label11.Visible(true);
        for (int r = 0; r < kRows; ++r)
            cell(r, kUser).Visible(true);
    }

    fill_selection_row(areas);
    fill_full_column();
    show_cells();
    ProgressBar1.Value(9);
}

// Counts the sections of a column into `files` and the counters; the overall bar shows
// `overall` once the sections' lines are counted.
void Form7::count_sections(Column column, long overall, ColumnFiles& files)
{
    const ColumnSections area = column_sections(column);
    entry_count = 0;
    for (const char* section : area.sections) {
        section_tag = section;
        first_pass();
    }
    ProgressBar1.Value(overall);
    start_location_bar();
    files.clear();
    deep_scan = area.deep_scan;
    counting_ = &files;
    for (const char* section : area.sections) {
        section_tag = section;
        count_files();
    }
    take_counters(files);
}

// A column of the database's sections: its rows 1 to 4.
void Form7::count_section_column(Column column, long overall)
{
    count_sections(column, overall, columns_[column]);
    cells[1][column] = total_bytes;
    cells[2][column] = read_only_bytes;
    cells[3][column] = hidden_bytes;
    cells[4][column] = read_only_hidden_bytes;
}

// The user's own locations; false when PMuser.lst cannot be read (the column stays hidden).
bool Form7::count_user_column()
{
    const std::string list = sys().path(kUserLocationsFile);
    std::vector<std::string> lines;
    try {
        if (!rt::file_exists(list))
            return false;
        lines = read_lines_strict(list);
    } catch (const std::exception&) {
        return false;
    }
    entry_count = static_cast<int64_t>(lines.size());
    ProgressBar1.Value(7);
    start_location_bar();
    deep_scan = 0;
    ColumnFiles& files = columns_[kUser];
    counting_ = &files;
    // An entry the clean refuses counts nothing; the others count where they finally lead.
    for (const std::string& line : lines) {
        const UserLocation location = parse_user_location(line);
        if (location.is_folder) {
            const std::string& path = location.path;
            if (auto folder = rule_.folder_location(path.empty() || path.back() == '\\' ? path : path + "\\")) {
                user_folder = *folder;
                count_user_files();
            }
        } else if (auto file = rule_.file_location(location.path)) {
            count_user_file(*file);
        }
    }
    take_counters(files);
    cells[1][kUser] = total_bytes;
    cells[2][kUser] = read_only_bytes;
    cells[3][kUser] = hidden_bytes;
    cells[4][kUser] = read_only_hidden_bytes;
    return true;
}

void Form7::count_user_file(const std::string& path)
{
    try {
        if (rt::file_exists(path))
            counting_->add(path, rt::file_len(path), file_class(rt::get_attr(path)), kUserFile);
    } catch (const std::exception&) {
        // a file that cannot be read adds nothing, as one that is missing
    }
}

void Form7::start_location_bar()
{
    ProgressBar2.Max(entry_count > LONG_MAX ? LONG_MAX : static_cast<long>(entry_count));
    ProgressBar2.Value(0);
}

void Form7::take_counters(const ColumnFiles& files)
{
    const ClassBytes rows = files.class_bytes();
    total_bytes = rows.total;
    read_only_bytes = rows.read_only;
    hidden_bytes = rows.hidden;
    read_only_hidden_bytes = rows.read_only_hidden;
}

// Row 0: what the clean of each column frees with the saved areas and options.
void Form7::fill_selection_row(const FullCleanAreas& areas)
{
    auto choice = [&](bool selected, uint8_t sources) {
        return CleanChoice{static_cast<uint8_t>(selected ? sources : 0), force_read_only == 1, force_hidden == 1};
    };
    const uint8_t internet_sections =
        (areas.set(4) ? kFirstSection : 0) | (areas.set(5) ? kSecondSection : 0);
    choices_[kUser] = choice(user_column_shown_ && areas.set(13), kUserFolder | kUserFile);
    choices_[kGamer] = choice(areas.set(1) && areas.set(2), kFirstSection);
    choices_[kInternet] = choice(areas.set(3), internet_sections);
    choices_[kTemp] = choice(areas.set(10) && areas.set(11), kFirstSection);
    for (int c : {kUser, kGamer, kInternet, kTemp})
        cells[0][c] = columns_[c].freed_by_clean(choices_[c]);
}

// Every row of the Full column takes a file that two columns reach once: row 0 as the full
// clean deletes it once, rows 1 to 4 as it takes its place on the disk once.
void Form7::fill_full_column()
{
    std::vector<const ColumnFiles*> columns;
    std::vector<ColumnClean> cleans;
    for (int c : {kGamer, kInternet, kTemp, kUser}) {
        columns.push_back(&columns_[c]);
        cleans.push_back({&columns_[c], choices_[c]});
    }
    cells[0][kFull] = freed_by_cleans(cleans);
    const ClassBytes rows = class_bytes_once(columns);
    cells[1][kFull] = rows.total;
    cells[2][kFull] = rows.read_only;
    cells[3][kFull] = rows.hidden;
    cells[4][kFull] = rows.read_only_hidden;
}

void Form7::show_cells()
{
    for (int r = 0; r < kRows; ++r)
        for (int c = 0; c < kColumns; ++c)
            cell(r, c).Caption(analysis_size_text(static_cast<double>(cells[r][c])));
}

} // namespace pellmaris
