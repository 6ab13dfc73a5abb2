#pragma once
// The file search window: extensions and drives on a selection screen; START SEARCH lists
// every folder of the chosen drives through a batch file and waits for its end marker on a
// search screen that slides into view.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>
#include "runtime/forms.h"
#include "tools/search_files.h"

namespace pellmaris {

class Program;

class FormSearch : public rt::Form {
public:
    explicit FormSearch(Program& app);
    ~FormSearch() override;

    // The selection screen.
    rt::Label Label1{*this, "Label1"}, Label2{*this, "Label2"}, Label3{*this, "Label3"}, Label4{*this, "Label4"};
    rt::ListBox List1{*this, "List1"};   // extensions; row 0 is always "Zero Length Files"
    rt::ListBox List2{*this, "List2"};   // drives, "E:\"
    rt::CommandButton Command1{*this, "Command1"}, Command2{*this, "Command2"};   // extensions: all / none
    rt::CommandButton Command4{*this, "Command4"}, Command3{*this, "Command3"};   // drives: all / none
    rt::CommandButton Command5{*this, "Command5"}, Command6{*this, "Command6"};   // add / remove extension
    rt::CommandButton Command7{*this, "Command7"};                                // START SEARCH
    // The search screen, below the selection screen until the slide.
    rt::Label Label5{*this, "Label5"}, Label6{*this, "Label6"};
    rt::Label ProgressLabelBack{*this, "ProgressLabelBack"};
    rt::Label ProgressLabelBottom{*this, "ProgressLabelBottom"}, ProgressLabelTop{*this, "ProgressLabelTop"};
    rt::CommandButton Command8{*this, "Command8"};   // ABORT SEARCH
    rt::Timer Timer1{*this, "Timer1"};               // the wait: one poll of the listing a tick

    std::string probe_drive;
    int16_t remove_mode = 0;
    int16_t abort_search = 0;
    int16_t search_finished = 0;
    int16_t search_state = 1;   // 1 selection, 2 searching, 3 finished
    std::string progress_fill;

    void change_drive();
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();
    void Command5_Click();
    void Command6_Click();
    void Command7_Click();
    void Command8_Click();
    void Timer1_Timer();
    void check_if_search_is_finished();

    // Every control but the timer, in declaration order: what the slide moves and what
    // "every control" enables and disables.
    std::vector<rt::Control*> screen_controls();
    // Ends the running search's batch, if any (the program's exit calls it: the process
    // ends without unwinding, and the batch would go on writing into the program folder).
    void end_batch();

protected:
    void design() override;
    void Form_Load() override;
    void Form_QueryUnload(int& cancel, int unload_mode) override;

private:
    void enable_controls(bool enabled);
    // Moves every control up (+1) or down (-1) by 5 x floor(Height / 5) twips in 5-twip steps.
    void slide(int direction);
    bool start_batch(const std::vector<std::string>& drive_rows);
    void show_search_finished();
    void show_search_stopped();
    void return_to_selection();
    void advance_progress();
    void show_progress(const std::string& fill);
    int ask(const std::string& text, int style);

    Program& app;
    std::unique_ptr<rt::StartedProcess> batch_;
    SearchListingReader listing_;
    unsigned search_serial_ = 0;     // one more for every search started
    bool zero_length_asked_ = false; // "Zero Length Files" was among the extensions searched for
    bool listing_read_ = false;      // the last poll could read the listing to its end
};

} // namespace pellmaris
