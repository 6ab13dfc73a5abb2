#include "tools/Form12.h"
#include <windows.h>
#include <algorithm>
#include <map>
#include <utility>
#include <vector>
#include "app/Program.h"
#include "runtime/errors.h"
#include "runtime/filesys.h"
#include "tools/empty_files.h"

namespace pellmaris {

namespace {

constexpr unsigned long long kCaptionInterval = 250;   // ms

// Thrown from a yield when the window is being closed: the scan unwinds and ends.
struct ScanStopped {};

// How many of the selected files were not deleted, and why: one line for each reason.
std::string kept_message(const std::map<EmptyFileOutcome, int>& not_deleted)
{
    static const std::pair<EmptyFileOutcome, const char*> kWhy[] = {
        {EmptyFileOutcome::Protected,
         " empty file(s) were kept: files inside the Windows folder, the Program Files folders and the "
         "Pellmaris folder are never deleted, because programs rely on empty marker files there."},
        {EmptyFileOutcome::Grown, " file(s) were kept: they are no longer empty."},
        {EmptyFileOutcome::InUse, " empty file(s) were kept: another program has them open."},
        {EmptyFileOutcome::Replaced,
         " file(s) were kept: a folder or a link stands in their place now, or they are read-only, hidden or "
         "system files now."},
        {EmptyFileOutcome::Gone, " file(s) were no longer there: their rows left the list."},
    };
    std::string text;
    for (const auto& [outcome, why] : kWhy) {
        const auto found = not_deleted.find(outcome);
        if (found != not_deleted.end())
            text += (text.empty() ? "" : "\r\n") + std::to_string(found->second) + why;
    }
    return text;
}

// A file deleted or gone leaves the list; the row of one kept stays.
bool leaves_the_list(EmptyFileOutcome outcome)
{
    return outcome == EmptyFileOutcome::Deleted || outcome == EmptyFileOutcome::Gone;
}

} // namespace

Form12::Form12(Program& app) : rt::Form(app.sys, "Form12"), app(app)
{
    Timer1.on_timer = [this] { Timer1_Timer(); };
    Timer2.on_timer = [this] { Timer2_Timer(); };
    Command1.on_click = [this] { Command1_Click(); };
    Command2.on_click = [this] { Command2_Click(); };
    Command3.on_click = [this] { Command3_Click(); };
}

void Form12::open_scanner(const std::vector<std::string>& drives)
{
    if (is_loaded() && !scanning_ && !Timer1.Enabled() && !Timer2.Enabled())
        Unload();   // a finished scan: a new opening scans anew
    Show();
    ZOrderTop();
    if (!scanning_ && !drives.empty())
        keep_only_drives(drives);
}

// The drives asked for, as far as they can be selected now.
void Form12::keep_only_drives(const std::vector<std::string>& drives)
{
    for (long i = List3.ListCount() - 1; i >= 0; --i)
        if (std::find(drives.begin(), drives.end(), List3.List(i)) == drives.end())
            List3.RemoveItem(i);
}

void Form12::design()
{
    Caption(rt::AppTitle);
    BorderStyle(rt::bsFixedSingle);
    // Wide and high enough for the result list's scroll bar and the result text.
    ScaleSize(11295, 3540);
    ProgressBar1.Move(120, 120, 10335, 255);
    List1.Move(0, 480, 11295, 2085);
    List1.MultiSelect(true);
    Command3.Move(5280, 2760, 1095, 255);
    Command3.Caption("Deselect All");
    Command2.Move(6480, 2760, 1095, 255);
    Command2.Caption("Select All");
    Command1.Move(7680, 2760, 1095, 255);
    Command1.Caption("Delete File(s)");
    Label1.Move(0, 3120, 11295, 375);
    // Never seen: hidden, so that their growth costs no repaint.
    List2.Move(0, 3840, 11295, 4350);
    List2.Visible(false);
    List3.Move(0, 8400, 2775, 450);
    List3.Visible(false);
    Timer1.Interval(1000);
    Timer1.Enabled(true);
    Timer2.Interval(1000);
    Timer2.Enabled(false);
    probe_drive.clear();
    walk_root.clear();
    deep_scan = 0;
    folders_.clear();
    listed_.clear();
    empty_names_.clear();
    progress_pending_.reset();
    pending_captions_.clear();
    rows_found_.clear();
    captions_shown_at_ = 0;
    scanning_ = false;
}

void Form12::Form_Load()
{
    rt::CurrentFolderKept kept;
    for (char letter = 'A'; letter <= 'Z'; ++letter) {
        probe_drive = std::string(1, letter);
        change_drive();
    }
}

void Form12::change_drive()
{
    try {
        rt::change_drive(probe_drive);
        List3.AddItem(probe_drive + ":\\");
    } catch (const rt::RuntimeError&) {
        // no drive, or no medium in it
    }
}

void Form12::Timer1_Timer()
{
    Timer1.Enabled(false);
    app.search.Show();
    app.labelscreen.Show();
    Timer2.Enabled(true);
}

void Form12::Timer2_Timer()
{
    deep_scan = 1;
    Timer2.Enabled(false);
    scanning_ = true;
    try {
        walk_every_drive();
        show_status(app.search.Label1, "SEARCHING FOR FILES IN FOLDERS PLEASE WAIT    ");
        show_status(app.labelscreen.Label2, "");
        scan_zero_length_files();
    } catch (const ScanStopped&) {
        // the window is closing: nothing more of it is touched
    }
    scanning_ = false;
    close_status_windows();
}

void Form12::walk_every_drive()
{
    ProgressBar1.Min(0);
    ProgressBar1.Max(List3.ListCount() + 1);
    ProgressBar1.Value(0);
    for (long i = 0; i < List3.ListCount(); ++i) {
        ProgressBar1.Value(i);
        walk_root = List3.List(i);
        show_status(app.labelscreen.Label1, "SEARCHING IN DRIVE [ " + walk_root + " ] ");
        yield();
        deep_folders();
    }
}

// Every drive's walk adds to the one list; each walk goes over its own folders only, so
// the whole walk stays linear in the number of folders. Each folder is listed once, for
// its sub-folders and its files.
void Form12::deep_folders()
{
    FolderWalkOptions options;
    options.deep = deep_scan == 1;
    options.exact_attribute_passes = true;
    std::size_t next_index = folders_.size();   // the walk lists its folders in list order, root first
    options.list_folder = [this, &next_index](const std::string& folder) { return list_folder(next_index++, folder); };
    options.on_folder_added = [this](const std::string& parent, const std::string& name) {
        List2.AddItem(parent + name + "\\");
        show_status_soon(app.labelscreen.Label2, "Found Folder [ " + parent + name + " ]");
        yield();
    };
    List2.AddItem(walk_root);
    walk_root = walk_folders(folders_, walk_root, options);
    flush_status();
}

// The one listing of a walked folder, through a handle opened where the walk found it (a
// link put in its place is not listed through): its folders go to the walk; the number of
// its plain files and the names of the empty ones stay for the scan.
std::vector<rt::DirEntry> Form12::list_folder(std::size_t index, const std::string& folder)
{
    yield();   // at every folder, whether it holds files or not
    ListedFolder listed{index, 0, empty_names_.size()};
    std::vector<rt::DirEntry> entries;
    try {
        if (const std::optional<rt::FolderHandle> opened = open_folder_as_found(folder))
            entries = opened->list();
    } catch (const rt::RuntimeError&) {
        // a folder that cannot be listed gives the walk and the scan nothing
    }
    for (const rt::DirEntry& entry : entries) {
        if (!is_plain_file(entry))
            continue;
        ++listed.plain_files;
        if (entry.length == 0)
            empty_names_.push_back(entry.name);
    }
    listed_.push_back(listed);
    return entries;
}

void Form12::scan_zero_length_files()
{
    List1.Clear();
    ProgressBar1.Min(0);
    ProgressBar1.Max(static_cast<long>(listed_.size()));
    ProgressBar1.Value(0);
    for (std::size_t i = 0; i < listed_.size(); ++i) {
        scan_listed_folder(i);
        show_progress_soon(static_cast<long>(i + 1));
    }
    flush_status();
    ProgressBar1.Value(0);
    Label1.Caption("Found [ " + std::to_string(List1.ListCount()) + " ] file(s) of zero length on hard disk(s)");
}

// The files of a folder as its listing found them, with a yield at the folder and at each
// file: only plain files count (no read-only, hidden or system file, no folder, no link).
void Form12::scan_listed_folder(std::size_t i)
{
    const ListedFolder listed = listed_[i];
    const std::size_t end_of_empty = i + 1 < listed_.size() ? listed_[i + 1].first_empty : empty_names_.size();
    walk_root = folders_[listed.folder];
    show_status_soon(app.labelscreen.Label1, "LOOKING IN " + walk_root);
    yield();
    for (std::size_t k = end_of_empty - listed.first_empty; k < listed.plain_files; ++k)
        yield();   // a file of some length
    for (std::size_t k = listed.first_empty; k < end_of_empty; ++k) {
        yield();
        const std::string path = walk_root + empty_names_[k];
        rows_found_.push_back(path);
        show_status_soon(app.labelscreen.Label2, "Found File " + path);
        yield();
    }
}

// Each selected file is deleted only when it is still an empty plain file outside the
// protected folders. The rows of the files deleted, and of those already gone, leave the
// list; the rows of the files kept stay, no longer selected, and a message says why.
void Form12::Command1_Click()
{
    const EmptyFileDeleter deleter(app.sys.program_folder);
    const long rows = List1.ListCount();
    std::vector<std::optional<EmptyFileOutcome>> outcomes(static_cast<std::size_t>(rows));
    std::map<EmptyFileOutcome, int> counted;
    for (long i = 0; i < rows; ++i) {
        if (!List1.Selected(i))
            continue;
        const EmptyFileOutcome outcome = deleter.delete_if_still_empty(List1.List(i));
        outcomes[static_cast<std::size_t>(i)] = outcome;
        ++counted[outcome];
    }
    for (long i = rows - 1; i >= 0; --i) {
        const std::optional<EmptyFileOutcome>& outcome = outcomes[static_cast<std::size_t>(i)];
        if (outcome && leaves_the_list(*outcome))
            List1.RemoveItem(i);
        else if (outcome)
            List1.Selected(i, false);
    }
    counted.erase(EmptyFileOutcome::Deleted);
    if (!counted.empty())
        MsgBox(kept_message(counted), rt::vbInformation);
}

void Form12::Command2_Click() { select_every_row(true); }
void Form12::Command3_Click() { select_every_row(false); }

void Form12::select_every_row(bool selected)
{
    for (long i = 0; i < List1.ListCount(); ++i)
        List1.Selected(i, selected);
    if (List1.ListCount() > 0)
        List1.ListIndex(0);
}

void Form12::Form_Unload(int& /*cancel*/) { close_status_windows(); }

void Form12::yield()
{
    app.sys.DoEventsWhenDue();   // at every folder and file: the queue only every few ms
    if (unload_pending() || !is_loaded())
        throw ScanStopped{};
}

// A status window the user closed stays closed.
void Form12::show_status(rt::Label& label, const std::string& caption)
{
    std::erase_if(pending_captions_, [&](const PendingCaption& p) { return p.label == &label; });
    if (label.Parent().is_loaded())
        label.Caption(caption);
}

void Form12::show_status_soon(rt::Label& label, const std::string& caption)
{
    auto same_label = [&](const PendingCaption& p) { return p.label == &label; };
    auto pending = std::find_if(pending_captions_.begin(), pending_captions_.end(), same_label);
    if (pending == pending_captions_.end())
        pending_captions_.push_back({&label, caption});
    else
        pending->caption = caption;
    flush_status_when_due();
}

void Form12::show_progress_soon(long value)
{
    progress_pending_ = value;
    flush_status_when_due();
}

void Form12::flush_status_when_due()
{
    if (GetTickCount64() - captions_shown_at_ >= kCaptionInterval)
        flush_status();
}

void Form12::flush_status()
{
    if (progress_pending_)
        ProgressBar1.Value(*std::exchange(progress_pending_, std::nullopt));
    for (const std::string& row : std::exchange(rows_found_, {}))
        List1.AddItem(row);
    for (const PendingCaption& p : std::exchange(pending_captions_, {}))
        if (p.label->Parent().is_loaded())
            p.label->Caption(p.caption);
    captions_shown_at_ = GetTickCount64();
}

void Form12::close_status_windows()
{
    for (rt::Form* status : {static_cast<rt::Form*>(&app.search), static_cast<rt::Form*>(&app.labelscreen)}) {
        try {
            status->Unload();
        } catch (const std::exception&) {
        }
    }
}

} // namespace pellmaris
