#pragma once
// The area-selection window (ADVANCED): which areas the cleans may touch and the four
// options, kept in pmdb.lst; it also opens the own-locations editor, the drive analysis,
// the Recycle Bin clean-up and the file search.
#include <vector>
#include "runtime/forms.h"

namespace pellmaris {

class Program;

class Form3 : public rt::Form {
public:
    explicit Form3(Program& app);

    rt::PictureBox Picture1{*this, "Picture1"};   // back button
    rt::PictureBox Picture2{*this, "Picture2"};   // back button, under the pointer; carries the click
    rt::ListBox List1{*this, "List1"};            // area rows
    rt::ListBox List2{*this, "List2"};            // option rows
    rt::Label Label1{*this, "Label1"};            // "Build / Add  / Amend a Custom List"
    rt::Label Label2{*this, "Label2"};            // "Analyse Drive(s)"
    rt::Label Label3{*this, "Label3"};            // where the custom list is cleaned
    rt::Label Label5{*this, "Label5"};            // "Recycle Bin Clean Up"
    rt::Label Label6{*this, "Label6"};            // "Find 0.0KB Files"
    rt::Label Label7{*this, "Label7"};            // back, in the classic layout

    void Label1_Click();
    void Label2_Click();
    void Label5_Click();
    void Label6_Click();
    void Label7_Click();
    void Picture2_Click();
    void List1_Click();
    void Label1_MouseMove(int button, int shift, float x, float y);
    void Label2_MouseMove(int button, int shift, float x, float y);
    void List1_MouseMove(int button, int shift, float x, float y);
    void Picture1_MouseMove(int button, int shift, float x, float y);
    void Form_MouseMove(int button, int shift, float x, float y) override;
    void reset_label_highlight();

    // pmdb.lst from the two lists as they stand; a failure is shown, the old file kept.
    // True when it was written.
    bool write_area_options_file();

protected:
    void design() override;
    void Form_Load() override;
    void Form_Unload(int& cancel) override;

private:
    void apply_classic_layout();
    void fill_lists();
    void restore_selection();
    void restore_flags();
    void select_every_area();
    void close_to(rt::Form& next);

    Program& app;
    // The window its unload shows: the main window, or the editor when that opens instead.
    rt::Form* shown_after_unload_ = nullptr;
    // The area rows as the group logic last left them.
    std::vector<bool> area_selection_seen_;
};

// The windows that the area selection opens and that other parts of the program provide.
// Each does nothing until its window exists.
void open_drive_analysis(Program& app);   // "Analyse Drive(s)": the analysis window
void open_file_search(Program& app);      // "Find 0.0KB Files": the file search window

} // namespace pellmaris
