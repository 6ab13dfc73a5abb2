#pragma once
// The drive analysis window: how many bytes a clean would free, per area (Gamer, Internet,
// Temp, the user's own locations, and all of them) and per attribute class, in a 5 x 5
// grid; a click on a Gamer, Internet or Temp cell lists that area's files in Form8.
#include <array>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>
#include "analysis/analysis_count.h"
#include "common/clean_rule.h"
#include "engine/folder_walk.h"
#include "runtime/forms.h"

namespace pellmaris {

class Program;
struct FullCleanAreas;

class Form7 : public rt::Form {
public:
    explicit Form7(Program& app);

    rt::Timer Timer1{*this, "Timer1"};   // starts the analysis one second after the load
    rt::Timer Timer2{*this, "Timer2"};   // then enlarges the window
    rt::Timer Timer3{*this, "Timer3"};   // a cell click waiting for a running clean to end
    rt::Label Label1{*this, "Label1"}, Label2{*this, "Label2"}, Label3{*this, "Label3"};
    rt::ProgressBar ProgressBar1{*this, "ProgressBar1"};   // overall
    rt::ProgressBar ProgressBar2{*this, "ProgressBar2"};   // the column's locations
    rt::ProgressBar ProgressBar3{*this, "ProgressBar3"};   // files, 0 to 100 and round again
    // Row heads, column heads and the hint.
    rt::Label Label4{*this, "Label4"}, Label5{*this, "Label5"}, Label6{*this, "Label6"},
        Label7{*this, "Label7"}, Label38{*this, "Label38"};
    rt::Label Label8{*this, "Label8"}, Label9{*this, "Label9"}, Label10{*this, "Label10"},
        Label11{*this, "Label11"}, Label12{*this, "Label12"}, Label39{*this, "Label39"};
    // The grid: row r, column c is Label(13 + 5r + c).
    rt::Label Label13{*this, "Label13"}, Label14{*this, "Label14"}, Label15{*this, "Label15"},
        Label16{*this, "Label16"}, Label17{*this, "Label17"}, Label18{*this, "Label18"},
        Label19{*this, "Label19"}, Label20{*this, "Label20"}, Label21{*this, "Label21"},
        Label22{*this, "Label22"}, Label23{*this, "Label23"}, Label24{*this, "Label24"},
        Label25{*this, "Label25"}, Label26{*this, "Label26"}, Label27{*this, "Label27"},
        Label28{*this, "Label28"}, Label29{*this, "Label29"}, Label30{*this, "Label30"},
        Label31{*this, "Label31"}, Label32{*this, "Label32"}, Label33{*this, "Label33"},
        Label34{*this, "Label34"}, Label35{*this, "Label35"}, Label36{*this, "Label36"},
        Label37{*this, "Label37"};

    enum Column { kGamer = 0, kInternet = 1, kTemp = 2, kUser = 3, kFull = 4 };
    static constexpr int kRows = 5, kColumns = 5;
    rt::Label& cell(int row, int column);

    // Window state shared by the run, the counting and the cell clicks.
    std::string user_profile;
    std::string home_drive;
    std::string section_tag;
    std::string user_folder;          // the root of the next walk; the walk moves it
    int64_t entry_count = 0;          // lines of the column's sections or of PMuser.lst
    int16_t deep_scan = 0;            // 1: the walk also enters read-only, hidden and system folders
    int64_t total_bytes = 0, read_only_bytes = 0, hidden_bytes = 0, read_only_hidden_bytes = 0;
    int16_t force_read_only = 0, force_hidden = 0;
    // The values behind the captions, row by row.
    std::array<std::array<int64_t, kColumns>, kRows> cells{};

    void Timer1_Timer();
    void Timer2_Timer();
    void Timer3_Timer();
    void analyse_location();

    // Counting (Form7_count.cpp).
    void first_pass();
    void count_files();
    void count_user_files();
    void deep_folders();

    // The cells of the Gamer, Internet and Temp columns (Form7_cells.cpp).
    void Label13_Click(); void Label18_Click(); void Label23_Click(); void Label28_Click(); void Label33_Click();
    void Label14_Click(); void Label19_Click(); void Label24_Click(); void Label29_Click(); void Label34_Click();
    void Label15_Click(); void Label20_Click(); void Label25_Click(); void Label30_Click(); void Label35_Click();
    void show_form8();

protected:
    void design() override;
    void Form_Load() override;
    void Form_Unload(int& cancel) override;

private:
    // The run's steps (Form7_run.cpp).
    void count_sections(Column column, long overall, ColumnFiles& files);
    void count_section_column(Column column, long overall);
    bool count_user_column();
    void count_user_file(const std::string& path);
    void start_location_bar();
    void take_counters(const ColumnFiles& files);
    void fill_selection_row(const FullCleanAreas& areas);
    void fill_full_column();
    void show_cells();

    // Counting helpers (Form7_count.cpp).
    void count_walked_folders(FileSource source, bool step_location_per_folder);
    void step_location();
    void step_area();
    void start_steps();
    void show_steps(bool now);

    void count_area(Column column);

    Program& app;
    CleanRule rule_;       // what may be counted: what the clean may clean, made at each count
    FolderList folders_;   // the last walk: this window's own, never the engine's work lists
    std::unordered_map<std::string, std::vector<rt::DirEntry>> listings_;   // what the walk listed, by folder
    std::array<ColumnFiles, 4> columns_;   // Gamer, Internet, Temp, User
    std::array<CleanChoice, 4> choices_;   // what the saved selection cleans of each
    ColumnFiles clicked_area_;             // the area of the last cell click
    ColumnFiles* counting_ = nullptr;      // where count_files adds
    long location_step_ = 0, area_step_ = 0;
    uint64_t steps_shown_at_ = 0;
    bool user_column_shown_ = false;
    bool waiting_area_set_ = false;
    Column waiting_area_ = kGamer;
};

} // namespace pellmaris
