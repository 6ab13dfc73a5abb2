#pragma once
// The main window: picture buttons, captions, tray icon and timers, and the cleaning engine's state.
#include <cstdint>
#include <string>
#include <windows.h>
#include <shellapi.h>
#include "engine/clean_work.h"
#include "runtime/forms.h"

namespace pellmaris {

class Program;

class Form1 : public rt::Form {
public:
    explicit Form1(Program& app);

    // Controls (design layout in Form1_design.cpp).
    rt::PictureBox Picture1{*this, "Picture1"}, Picture2{*this, "Picture2"};   // FULL CLEAN off/on
    rt::PictureBox Picture3{*this, "Picture3"}, Picture4{*this, "Picture4"};   // GAMER
    rt::PictureBox Picture5{*this, "Picture5"}, Picture6{*this, "Picture6"};   // INTERNET
    rt::PictureBox Picture7{*this, "Picture7"}, Picture8{*this, "Picture8"};   // TEMP
    rt::PictureBox Picture9{*this, "Picture9"}, Picture10{*this, "Picture10"}; // ADVANCED
    rt::PictureBox Picture11{*this, "Picture11"}, Picture12{*this, "Picture12"}; // web link
    rt::PictureBox Picture13{*this, "Picture13"};                              // banner
    rt::Frame Frame1{*this, "Frame1"};   // "Welcome"
    rt::Label Label1{*this, "Label1"}, Label2{*this, "Label2"}, Label3{*this, "Label3"},
        Label4{*this, "Label4"}, Label5{*this, "Label5"}, Label6{*this, "Label6"},
        Label7{*this, "Label7"}, Label8{*this, "Label8"}, Label9{*this, "Label9"},
        Label10{*this, "Label10"}, Label11{*this, "Label11"}, Label12{*this, "Label12"},
        Label13{*this, "Label13"}, Label15{*this, "Label15"}, Label16{*this, "Label16"},
        Label17{*this, "Label17"}, Label18{*this, "Label18"}, Label19{*this, "Label19"},
        Label20{*this, "Label20"}, Label21{*this, "Label21"}, Label22{*this, "Label22"};
    rt::ProgressBar ProgressBar1{*this, "ProgressBar1"};
    rt::Timer Timer1{*this, "Timer1"}, Timer2{*this, "Timer2"}, Timer3{*this, "Timer3"},
        Timer4{*this, "Timer4"};

    // Cleaning engine state shared by the cleans.
    int32_t files_deleted = 0;
    int64_t bytes_freed = 0;
    int32_t entry_count = 0;
    int32_t locations_done = 0;
    std::string section_tag;
    int16_t force_read_only = 0;
    int16_t force_hidden = 0;
    int16_t deep_scan = 0;
    int16_t scheduled_run = 0;
    std::string walk_root;
    std::string current_folder;
    std::string current_file;
    std::string user_profile;
    std::string home_drive;

    // Tray and timers.
    NOTIFYICONDATAW tray_icon_data{};
    bool tray_icon_added = false;
    int16_t auto_clean_armed = 0;
    int16_t auto_clean_ticks = 0;

    // The cleans (engine/).
    void Picture2_Click();   // FULL CLEAN
    void Picture4_Click();   // GAMER
    void Picture6_Click();   // INTERNET
    void Picture8_Click();   // TEMP
    void first_pass();
    void clean_selected_area();
    void clean_logfiles();
    void clean_userfiles();
    void deep_folders();
    void kill_file();
    void kill_folder();
    bool clear_url_history();
    // The running clean's own lists and its guard; Timer3_Timer does nothing while clean.running.
    CleanWork clean;

    // Navigation, tray, timers and exit (mainwindow/).
    void minimize_to_tray();
    void explorer_restarted();
    // The exit of the main window and of the search: work files deleted, tray icon removed,
    // then the program's end.
    void end_program();
    void Label2_Click();
    void Label6_Click();
    void Label16_Click();
    void Label17_Click();
    void Label18_Click();
    void Label20_Click();
    void Label21_Click();
    void Picture10_Click();
    void Picture12_Click();
    void Picture1_MouseMove(int button, int shift, float x, float y);
    void Picture3_MouseMove(int button, int shift, float x, float y);
    void Picture5_MouseMove(int button, int shift, float x, float y);
    void Picture7_MouseMove(int button, int shift, float x, float y);
    void Picture9_MouseMove(int button, int shift, float x, float y);
    void Picture11_MouseMove(int button, int shift, float x, float y);
    void Picture13_MouseMove(int button, int shift, float x, float y);
    void Timer1_Timer();
    void Timer2_Timer();
    void Timer3_Timer();
    void Timer4_Timer();

    void Form_Load() override;
    void Form_Resize() override;
    void Form_MouseMove(int button, int shift, float x, float y) override;
    void Form_Unload(int& cancel) override;

protected:
    void design() override;

private:
    // The load's steps (Form1_load.cpp).
    void show_welcome_text();
    void apply_classic_theme();
    void apply_narrow_layout();
    void show_last_clean();

    Program& app;
};

} // namespace pellmaris
