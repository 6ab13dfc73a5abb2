#pragma once
// The zero-length-file scanner: walks every drive into one folder list, lists the empty
// plain files of those folders and deletes the ones the user selects.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>
#include "engine/folder_walk.h"
#include "runtime/forms.h"

namespace pellmaris {

class Program;

class Form12 : public rt::Form {
public:
    explicit Form12(Program& app);

    // Shows the scanner, which then scans every drive by itself, or only those of `drives`
    // ("X:\") when given. A scanner that is already scanning comes to the front; one showing
    // the results of a finished scan starts anew.
    void open_scanner(const std::vector<std::string>& drives = {});
    bool scanning() const { return scanning_; }

    rt::ProgressBar ProgressBar1{*this, "ProgressBar1"};
    rt::ListBox List1{*this, "List1"};               // full paths of the empty files found
    rt::CommandButton Command3{*this, "Command3"};   // "Deselect All"
    rt::CommandButton Command2{*this, "Command2"};   // "Select All"
    rt::CommandButton Command1{*this, "Command1"};   // "Delete File(s)"
    rt::Label Label1{*this, "Label1"};               // the result text
    rt::ListBox List2{*this, "List2"};               // the walk's folders (below the client area)
    rt::ListBox List3{*this, "List3"};               // the drives, "X:\" (below the client area)
    rt::Timer Timer1{*this, "Timer1"};
    rt::Timer Timer2{*this, "Timer2"};

    std::string probe_drive;
    std::string walk_root;
    int16_t deep_scan = 0;

    void change_drive();
    void Timer1_Timer();
    void Timer2_Timer();
    void deep_folders();
    void scan_zero_length_files();
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();

protected:
    void design() override;
    void Form_Load() override;
    void Form_Unload(int& cancel) override;

private:
    // What the one listing of a walked folder holds for the scan.
    struct ListedFolder {
        std::size_t folder = 0;        // its index in folders_
        std::size_t plain_files = 0;   // the plain files it held
        std::size_t first_empty = 0;   // its empty ones: empty_names_ from here to the next folder's
    };

    void keep_only_drives(const std::vector<std::string>& drives);
    void walk_every_drive();
    std::vector<rt::DirEntry> list_folder(std::size_t index, const std::string& folder);
    void scan_listed_folder(std::size_t listed);
    void select_every_row(bool selected);
    // Lets the windows run; ends the scan when this window is being closed.
    void yield();
    // Phase captions show at once; the per-folder and per-file ones, and the rows found, at
    // most every quarter of a second, since each costs a repaint (the last ones always show).
    void show_status(rt::Label& label, const std::string& caption);
    void show_status_soon(rt::Label& label, const std::string& caption);
    void show_progress_soon(long value);
    void flush_status_when_due();
    void flush_status();
    void close_status_windows();

    FolderList folders_;   // what List2 holds, with the set behind the walk's duplicate test
    std::vector<ListedFolder> listed_;        // in walk order
    std::vector<std::string> empty_names_;    // the empty plain files of the listed folders
    std::optional<long> progress_pending_;
    struct PendingCaption {
        rt::Label* label;
        std::string caption;
    };
    std::vector<PendingCaption> pending_captions_;
    std::vector<std::string> rows_found_;   // not in List1 yet
    unsigned long long captions_shown_at_ = 0;
    bool scanning_ = false;
    Program& app;
};

} // namespace pellmaris
