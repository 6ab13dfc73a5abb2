// The cleaning engine of the main window: the walk, the deletions and the section and
// user-location cleaning.
#include <windows.h>
#include <optional>
#include <utility>
#include "common/error_log.h"
#include "common/paths.h"
#include "common/clean_rule.h"
#include "common/user_locations.h"
#include "engine/area_values.h"
#include "engine/clean_rules.h"
#include "engine/clean_support.h"
#include "engine/location_database.h"
#include "app/Program.h"
#include "runtime/filesys.h"
#include "runtime/final_path.h"
#include "runtime/text.h"

namespace pellmaris {

using namespace clean_support;

namespace clean_support {

namespace {

constexpr uint64_t kDisplayInterval = 250;   // ms between two updates of the windows during a clean

void update_windows(Program& app)
{
    CleanDisplay& d = app.Form1.clean.display;
    if (d.caption_changed)
        app.Form1.Label2.Caption(d.caption);
    if (d.progress_changed) {
        app.Form1.ProgressBar1.Min(0);
        app.Form1.ProgressBar1.Max(d.progress_max);
        app.Form1.ProgressBar1.Value(d.progress_value);
    }
    if (d.files_changed) {
        app.Form4.List1.Clear();
        app.Form4.List2.Clear();
        for (std::size_t i = 0; i < d.names.size(); ++i) {
            app.Form4.List1.AddItem(d.names[i]);
            app.Form4.List2.AddItem(d.sizes[i]);
        }
    }
    for (const std::string& path : d.exceptions)
        app.Form4.List3.AddItem(path);
    d.exceptions.clear();
    d.caption_changed = d.progress_changed = d.files_changed = false;
    d.shown_at = GetTickCount64();
}

void update_windows_when_due(Program& app)
{
    const CleanWork& work = app.Form1.clean;
    if (!work.running || GetTickCount64() - work.display.shown_at >= kDisplayInterval)
        update_windows(app);
}

} // namespace

void add_report_line(Program& app, const std::string& line)
{
    app.Form1.clean.report.push_back(line);
    if (!app.Form1.clean.running)
        app.Form2.List1.AddItem(line);
}

void start_report(Program& app)
{
    CleanDisplay& d = app.Form1.clean.display;
    app.Form1.clean.report.clear();
    d.exceptions.clear();
    d.names.clear();
    d.sizes.clear();
    d.files_changed = false;
    app.Form2.List1.Clear();
    app.Form2.List2.Clear();
    app.Form4.List1.Clear();
    app.Form4.List2.Clear();
    app.Form4.List3.Clear();
}

void publish_report(Program& app)
{
    flush_display(app);
    app.Form2.List1.Clear();
    for (const std::string& line : app.Form1.clean.report)
        app.Form2.List1.AddItem(line);
}

void show_caption(Program& app, const std::string& caption)
{
    CleanDisplay& d = app.Form1.clean.display;
    d.caption = caption;
    d.caption_changed = true;
    update_windows_when_due(app);
}

void show_progress_range(Program& app, long max)
{
    CleanDisplay& d = app.Form1.clean.display;
    d.progress_max = max;
    d.progress_value = 0;
    d.progress_changed = true;
    update_windows_when_due(app);
}

void show_progress(Program& app, long value)
{
    CleanDisplay& d = app.Form1.clean.display;
    d.progress_value = value;
    d.progress_changed = true;
    update_windows_when_due(app);
}

void show_folder_files(Program& app, std::vector<std::string> names, std::vector<std::string> sizes)
{
    CleanDisplay& d = app.Form1.clean.display;
    d.names = std::move(names);
    d.sizes = std::move(sizes);
    d.files_changed = true;
    update_windows_when_due(app);
}

void add_exception(Program& app, const std::string& path)
{
    app.Form1.clean.display.exceptions.push_back(path);
    update_windows_when_due(app);
}

void flush_display(Program& app) { update_windows(app); }

void log_error(Program& app, const char* procedure_line, const std::exception& error)
{
    const std::string log = app.sys.path(kErrorLogFile);
    const rt::LocalTime now = app.sys.clock->now();
    if (auto* runtime_error = dynamic_cast<const rt::RuntimeError*>(&error))
        append_error_log(log, procedure_line, *runtime_error, now);
    else
        append_error_log(log, procedure_line, rt::errInvalidCall, error.what(), now);
}

CleanRule clean_rule(const Program& app) { return CleanRule(app.sys.program_folder, app.sys.windows_folder); }

} // namespace clean_support

namespace {

constexpr const char* kReportIndent = "          ";
constexpr uint32_t kPlainFileBits = rt::attrReadOnly | rt::attrHidden | rt::attrSystem | rt::attrDirectory;

// A folder the clean may enter: it exists and is no link (nothing behind a link is touched).
bool is_real_folder(const std::string& path)
{
    auto facts = rt::file_facts(without_trailing_backslash(path));
    return facts && (facts->attributes & rt::attrDirectory) && !(facts->attributes & rt::attrReparsePoint);
}

// What a listing of the file with mask 0 finds: a file without read-only, hidden or system.
bool is_plain_file(const std::string& path)
{
    auto facts = rt::file_facts(path);
    return facts && (facts->attributes & kPlainFileBits) == 0;
}

// The listing passes of a folder's files, by the force options: mask 0, then 2, 1 and 3.
std::vector<uint32_t> file_listing_masks(int16_t force_read_only, int16_t force_hidden)
{
    std::vector<uint32_t> masks{rt::attrNormal};
    if (force_hidden == 1)
        masks.push_back(rt::attrHidden);
    if (force_read_only == 1)
        masks.push_back(rt::attrReadOnly);
    if (force_read_only == 1 && force_hidden == 1)
        masks.push_back(rt::attrReadOnly | rt::attrHidden);
    return masks;
}

bool listed_with_mask(const rt::DirEntry& e, uint32_t mask) { return (e.attributes & kPlainFileBits & ~mask) == 0; }

int16_t normalised_flag(int16_t flag) { return flag == 1 ? 1 : 0; }

// `final_root` followed by the steps that `folder` adds to `root`; nothing when `folder`
// does not lie below `root` as text.
std::optional<std::string> expected_final_path(const std::string& root, const std::string& folder, const std::string& final_root)
{
    if (folder.compare(0, root.size(), root) != 0)
        return std::nullopt;
    std::string steps = folder.substr(root.size());
    while (!steps.empty() && steps.back() == '\\')
        steps.pop_back();
    if (steps.empty())
        return final_root;
    return final_root + (final_root.back() == '\\' ? "" : "\\") + steps;
}

// A folder of a walk, opened and checked just before it is emptied: it must be where the
// walk expected it (no link swapped in for it or a parent meanwhile) and may be emptied.
// Entries whose names cannot be used as names go to the exceptions list.
struct FolderToEmpty {
    std::optional<rt::FolderHandle> handle;   // nothing: the folder is missing or refused
    std::vector<rt::DirEntry> entries;        // its entries as they are now, usable names only
};

FolderToEmpty open_folder_to_empty(Program& app, const std::string& folder, const std::optional<std::string>& expected)
{
    FolderToEmpty out;
    rt::FolderHandle handle;
    try {
        handle = rt::FolderHandle::open(folder);
    } catch (const rt::RuntimeError& e) {
        if (e.number() == rt::errPathNotFound)
            return out;   // a folder that is gone lists nothing
        throw;
    }
    if (handle.is_link() || !expected || !rt::same_final_path(handle.final_path(), *expected)) {
        add_exception(app, folder);
        return out;
    }
    if (!app.Form1.clean.rule.may_empty_folder(handle))
        return out;
    for (rt::DirEntry& e : handle.list()) {
        if (rt::is_usable(e))
            out.entries.push_back(std::move(e));
        else
            add_exception(app, folder + e.name);
    }
    out.handle = std::move(handle);
    return out;
}

} // namespace

// ---- Deletion ----

void Form1::kill_file()
{
    const std::string path = current_folder + current_file;
    show_caption(app, shortened_caption(current_folder, current_file));
    try {
        const auto policy = [this](uint32_t attributes) { return may_make_normal(attributes, force_read_only, force_hidden); };
        rt::DeletedFile deleted;
        if (current_folder.empty()) {
            deleted = rt::delete_file_at_final_path(current_file, policy);   // the rule gave its final path
        } else if (clean.folder && clean.folder->path() == current_folder) {
            clean.folder->make_normal();
            deleted = clean.folder->delete_file(current_file, policy);
        } else {
            rt::FolderHandle folder = rt::FolderHandle::open(current_folder);
            folder.make_normal();
            deleted = folder.delete_file(current_file, policy);
        }
        app.sys.DoEventsWhenDue();
        // The deletion's own result confirms it: the name is not looked up again.
        add_report_line(app, kReportIndent + current_file);
        bytes_freed += deleted.length;
        ++files_deleted;
    } catch (const std::exception&) {
        add_exception(app, path);
    }
}

void Form1::kill_folder()
{
    if (current_folder.empty())
        return;
    current_folder.pop_back();
    ignoring_errors([&] { rt::remove_dir(current_folder); });
}

// ---- Folder walk ----

void Form1::deep_folders()
{
    FolderWalkOptions options;
    options.deep = deep_scan == 1;
    options.on_error = [this](const rt::RuntimeError& e) { log_error(app, kLogDeepFolders, e); };
    options.may_enter = [this](const std::string& folder) { return clean.rule.may_empty_folder(folder); };
    clean.folders.clear();
    walk_root = walk_folders(clean.folders, walk_root, options);
    app.Form4.List4.Clear();
    for (const std::string& folder : clean.folders.folders())
        app.Form4.List4.AddItem(folder);
}

// ---- Section cleaning ----

void Form1::first_pass()
{
    logged_step(app, kLogFirstPass, [&] { entry_count += find_section(app.Form5.List1.items(), section_tag).counted_lines; });
}

namespace {

// The files of a walked folder and where the walk expected it; the deletions go through
// the folder's handle, which the clean keeps open while it empties the folder.
class FolderBeingEmptied {
public:
    FolderBeingEmptied(Form1& f, rt::FolderHandle handle) : f_(f) { f_.clean.folder = std::move(handle); }
    ~FolderBeingEmptied() { f_.clean.folder.reset(); }
    FolderBeingEmptied(const FolderBeingEmptied&) = delete;
    FolderBeingEmptied& operator=(const FolderBeingEmptied&) = delete;

private:
    Form1& f_;
};

// The walk's folders with the final path each is expected at.
struct WalkedFolder {
    std::string folder;
    std::optional<std::string> expected;
};

std::vector<WalkedFolder> walked_folders(const std::vector<std::string>& folders)
{
    std::vector<WalkedFolder> out;
    if (folders.empty())
        return out;
    const std::string root = rt::Trim(folders[0]);
    const std::optional<std::string> final_root = rt::final_path(root);
    for (const std::string& folder : folders) {
        const std::string trimmed = rt::Trim(folder);
        out.push_back({trimmed, final_root ? expected_final_path(root, trimmed, *final_root) : std::nullopt});
    }
    return out;
}

// Lists the folder's files (Form4.List1/List2) just before deleting them one by one.
void clean_folder_files(Program& app, const WalkedFolder& walked)
{
    Form1& f = app.Form1;
    const auto masks = file_listing_masks(f.force_read_only, f.force_hidden);
    FolderToEmpty folder;
    try {
        folder = open_folder_to_empty(app, walked.folder, walked.expected);
    } catch (const std::exception& e) {
        for (std::size_t pass = 0; pass < masks.size(); ++pass)   // every listing pass would have failed
            log_error(app, kLogCleanSelectedArea, e);
    }
    // One listing serves every pass; a file stands in the list once per pass that lists it.
    std::vector<std::string> files;   // the clean's own copy of Form4.List1
    std::vector<std::string> sizes;
    for (uint32_t mask : masks)
        for (const rt::DirEntry& e : folder.entries)
            if (listed_with_mask(e, mask)) {
                files.push_back(e.name);
                sizes.push_back(std::to_string(e.length));
            }
    show_folder_files(app, files, std::move(sizes));
    show_progress_range(app, static_cast<long>(files.size()));
    if (!folder.handle)
        return;
    FolderBeingEmptied emptied(f, std::move(*folder.handle));
    for (std::size_t k = 0; k < files.size(); ++k) {
        f.current_folder = walked.folder;
        f.current_file = files[k];
        f.kill_file();
        show_progress(app, static_cast<long>(k));
        app.sys.DoEventsWhenDue();
    }
}

// Removes the emptied sub-folders of the walk, deepest first; the location itself stays.
// A folder no longer where the walk found it (a link swapped in) is left alone.
void remove_sub_folders(Form1& f, const std::vector<WalkedFolder>& folders)
{
    for (std::size_t i = folders.size(); i-- > 1;) {
        const std::optional<std::string> now = rt::final_path(folders[i].folder);
        if (now && !(folders[i].expected && rt::same_final_path(*now, *folders[i].expected)))
            continue;
        f.current_folder = folders[i].folder;
        f.kill_folder();
    }
}

} // namespace

void Form1::clean_selected_area()
{
    clean.rule = clean_rule(app);
    std::vector<std::string> entries;
    logged_step(app, kLogCleanSelectedArea, [&] { entries = find_section(app.Form5.List1.items(), section_tag).entries; });
    for (const std::string& entry : entries) {
        std::optional<std::string> location;
        logged_step(app, kLogCleanSelectedArea,
                    [&] { location = clean.rule.folder_location(expand_location(entry, user_profile, home_drive)); });
        if (location && is_real_folder(*location)) {
            walk_root = *location;
            deep_folders();
            const std::vector<WalkedFolder> folders = walked_folders(clean.folders.folders());   // the clean's own copy
            for (const WalkedFolder& folder : folders)
                clean_folder_files(app, folder);
            remove_sub_folders(*this, folders);
            add_report_line(app, "");
        }
        ++locations_done;
    }
    flush_display(app);
}

void Form1::clean_logfiles()
{
    clean.rule = clean_rule(app);
    std::vector<std::string> entries;
    logged_step(app, kLogCleanLogfiles, [&] { entries = find_section(app.Form5.List1.items(), kSectionLogs).entries; });
    for (const std::string& entry : entries) {
        std::optional<std::string> file;
        logged_step(app, kLogCleanLogfiles,
                    [&] { file = clean.rule.file_location(expand_location(entry, user_profile, home_drive)); });
        if (file && is_plain_file(*file)) {
            current_folder = "";
            current_file = *file;
            kill_file();
        }
    }
    flush_display(app);
}

// ---- User locations ----

namespace {

// Empties a user folder of its plain files, then removes its emptied sub-folders.
void clean_user_folder(Program& app, const std::string& location)
{
    Form1& f = app.Form1;
    f.walk_root = location;
    f.deep_folders();
    const std::vector<WalkedFolder> folders = walked_folders(f.clean.folders.folders());
    for (const WalkedFolder& walked : folders) {
        f.current_folder = walked.folder;
        FolderToEmpty folder;
        try {
            folder = open_folder_to_empty(app, walked.folder, walked.expected);
        } catch (const std::exception&) {
            add_exception(app, walked.folder);   // a folder that cannot be opened lists nothing; its siblings go on
        }
        std::vector<std::string> files;   // the plain files: a listing with mask 0
        for (const rt::DirEntry& e : folder.entries)
            if (listed_with_mask(e, rt::attrNormal))
                files.push_back(e.name);
        show_progress_range(app, static_cast<long>(files.size()) + 1);
        if (!folder.handle)
            continue;
        FolderBeingEmptied emptied(f, std::move(*folder.handle));
        for (std::size_t k = 0; k < files.size(); ++k) {
            f.current_folder = walked.folder;
            f.current_file = files[k];
            f.kill_file();
            show_progress(app, static_cast<long>(k));
        }
    }
    remove_sub_folders(f, folders);
}

// A user's folder entry names the folder itself, whether or not it was written with its "\".
std::string with_final_backslash(const std::string& path)
{
    return path.empty() || path.back() == '\\' ? path : path + "\\";
}

// Cleans one entry of PMuser.lst. An entry the rule refuses goes to the exceptions list,
// where the user sees that it was refused.
void clean_user_entry(Program& app, UserLocation location)
{
    Form1& f = app.Form1;
    if (location.is_folder)
        location.path = with_final_backslash(location.path);
    add_report_line(app, std::string(kReportIndent) + "Location = " + location.path);
    if (location.is_folder) {
        f.current_folder = location.path;
        if (auto folder = f.clean.rule.folder_location(location.path))
            clean_user_folder(app, *folder);
        else
            add_exception(app, location.path);
        add_report_line(app, "");
    } else if (auto file = f.clean.rule.file_location(location.path)) {
        f.current_folder = "";
        f.current_file = *file;
        f.kill_file();
    } else {
        add_exception(app, location.path);
    }
}
} // namespace

void Form1::clean_userfiles()
{
    ForceOptions force = read_user_clean_force_options(app.sys.path(kAreaOptionsFile));
    force_read_only = normalised_flag(force.read_only.value_or(force_read_only));
    force_hidden = normalised_flag(force.hidden.value_or(force_hidden));
    add_report_line(app, "  USER LOCATIONS CLEANING COMPLETE");
    add_report_line(app, "      List of files Deleted");
    clean.rule = clean_rule(app);
    for (const std::string& line : read_user_location_lines(app.sys.path(kUserLocationsFile))) {
        const UserLocation location = parse_user_location(line);
        try {
            clean_user_entry(app, location);
        } catch (const std::exception&) {
            add_exception(app, location.path);   // this entry alone fails; the next ones are cleaned
        }
    }
    flush_display(app);
}

// ---- Browser history ----

bool Form1::clear_url_history()
{
    try {
        return app.sys.url_history && app.sys.url_history->clear_history();
    } catch (const std::exception&) {
        return false;
    }
}

} // namespace pellmaris
