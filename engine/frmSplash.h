#pragma once
// The start-up window: decodes the location database, makes the environment and
// system-information dumps, then hands over to the main window.
#include <string>
#include "runtime/forms.h"

namespace pellmaris {

class Program;

class frmSplash : public rt::Form {
public:
    explicit frmSplash(Program& app);

    rt::Timer Timer1{*this, "Timer1"};
    rt::Timer Timer2{*this, "Timer2"};
    rt::Label lblProductName{*this, "lblProductName"};
    rt::Label lblCompanyProduct{*this, "lblCompanyProduct"};
    rt::Label lblVersion{*this, "lblVersion"};
    rt::Label lblPlatform{*this, "lblPlatform"};

    // Loads the window, which runs the start-up, and shows it unless the settings hide it.
    void start();

    void Timer1_Timer();   // starts the two batch files
    void Timer2_Timer();   // system information into the main window, then the first window

    // Whether pmdb.lst asks for the drive analysis when the program starts.
    static bool analyse_drive_at_start(const std::string& area_options_path);

protected:
    void design() override;
    void Form_Load() override;

private:
    void show_splash_picture(bool classic_theme);
    void colour_captions(bool classic_theme);
    void load_location_database();
    void write_batch_files();
    bool write_dump_batch(const char* batch, const char* command, const char* dump);
    void start_dump_batch(const char* batch, const char* dump);
    void copy_system_information();
    void show_first_window();
    void show_main_window();
    void show_analysis_window();

    Program& app;
    bool keep_hidden_ = false;
    // Only a batch this run wrote is started: what stands there otherwise is not ours.
    bool env_batch_written_ = false;
    bool sysinfo_batch_written_ = false;
};

} // namespace pellmaris
