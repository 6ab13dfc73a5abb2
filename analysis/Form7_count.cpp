// The analysis counting: the sections of the location database and the user's folders,
// walked with the shared walk and counted by the classes the clean gives each file.
#include <windows.h>
#include "analysis/Form7.h"
#include "common/error_log.h"
#include "engine/clean_support.h"
#include "engine/location_database.h"
#include "app/Program.h"
#include "runtime/filesys.h"
#include "runtime/text.h"

namespace pellmaris {

namespace {

constexpr uint64_t kDisplayInterval = 50;   // ms between two repaints of the bars while counting
constexpr long kAreaSteps = 100;
constexpr uint32_t kListingBits = rt::attrReadOnly | rt::attrHidden | rt::attrSystem | rt::attrDirectory;

// The two listings of a folder's files: the plain one (mask 1: plain and read-only files)
// and the hidden one (mask 3: the plain ones again, and the hidden ones).
bool in_listing(uint32_t attributes, uint32_t mask) { return (attributes & kListingBits & ~mask) == 0; }

// A location the clean would walk: an existing folder that is no link.
bool is_walkable_folder(const std::string& path)
{
    try {
        const uint32_t a = rt::get_attr(without_trailing_backslash(path));
        return (a & rt::attrDirectory) && !(a & rt::attrReparsePoint);
    } catch (const rt::RuntimeError&) {
        return false;
    }
}

} // namespace

void Form7::first_pass()
{
    entry_count += find_section(app.Form5.List1.items(), section_tag).counted_lines;
}

void Form7::count_files()
{
    const Section section = find_section(app.Form5.List1.items(), section_tag);
    const FileSource source = section_tag == kSectionCookies ? kSecondSection : kFirstSection;
    start_steps();
    for (const std::string& entry : section.entries) {
        step_location();
        const std::optional<std::string> location = rule_.folder_location(expand_location(entry, user_profile, home_drive));
        if (!location || !is_walkable_folder(*location))
            continue;
        user_folder = *location;
        deep_folders();
        count_walked_folders(source, false);
    }
    show_steps(true);
}

void Form7::count_user_files()
{
    if (user_folder.empty() || !is_walkable_folder(user_folder))
        return;
    deep_folders();
    start_steps();
    count_walked_folders(kUserFolder, true);
    show_steps(true);
}

void Form7::deep_folders()
{
    FolderWalkOptions options;
    options.deep = deep_scan == 1;
    options.on_error = [this](const rt::RuntimeError& e) { clean_support::log_error(app, kLogDeepFolders, e); };
    // Judging a folder opens it: a folder of thousands of sub-folders must not keep the
    // window from answering.
    options.may_enter = [this](const std::string& folder) {
        app.sys.AnswerWhenDue();
        return rule_.may_empty_folder(folder);
    };
    options.on_folder_listed = [this](const std::string& folder, const std::vector<rt::DirEntry>& entries) {
        listings_[rt::Trim(folder)] = entries;
        app.sys.AnswerWhenDue();
    };
    folders_.clear();
    listings_.clear();
    user_folder = walk_folders(folders_, user_folder, options);
}

// Counts the files of every folder of the last walk, from the walk's own listing of it
// (a folder the walk could not list counts nothing).
void Form7::count_walked_folders(FileSource source, bool step_location_per_folder)
{
    for (const std::string& entry : folders_.folders()) {
        if (step_location_per_folder)
            step_location();
        const std::string folder = rt::Trim(entry);
        auto listing = listings_.find(folder);
        if (listing == listings_.end())
            continue;
        for (const rt::DirEntry& e : listing->second) {
            const bool plain_listing = in_listing(e.attributes, rt::attrReadOnly);
            const bool hidden_listing = in_listing(e.attributes, rt::attrReadOnly | rt::attrHidden);
            if (plain_listing)
                step_area();
            if (hidden_listing)
                step_area();
            // Folders ("." and ".." among them) are no files; a name that is no name the
            // clean never deletes.
            const FileClass c = file_class(e.attributes);
            if (c != FileClass::Uncounted && rt::is_usable(e))
                counting_->add(folder + e.name, e.length, c, source);
        }
        listings_.erase(listing);
    }
}

void Form7::start_steps()
{
    location_step_ = 0;
    area_step_ = 0;
    show_steps(true);
}

// The location bar stops one short of its maximum; the run completes it.
void Form7::step_location()
{
    show_steps(false);
    if (location_step_ + 1 < ProgressBar2.Max())
        ++location_step_;
}

void Form7::step_area()
{
    show_steps(false);
    area_step_ = area_step_ >= kAreaSteps ? 0 : area_step_ + 1;
}

// The run takes no input, but it answers and repaints while it counts.
void Form7::show_steps(bool now)
{
    app.sys.AnswerWhenDue();
    const uint64_t tick = GetTickCount64();
    if (!now && tick - steps_shown_at_ < kDisplayInterval)
        return;
    steps_shown_at_ = tick;
    ProgressBar2.Value(location_step_);
    ProgressBar3.Value(area_step_);
}

} // namespace pellmaris
