#include "engine/folder_walk.h"
#include "runtime/filesys.h"
#include "runtime/text.h"

namespace pellmaris {

bool FolderList::add(const std::string& folder)
{
    if (!seen_.insert(folder).second)
        return false;
    folders_.push_back(folder);
    return true;
}

void FolderList::append(const std::string& folder)
{
    seen_.insert(folder);
    folders_.push_back(folder);
}

void FolderList::clear()
{
    folders_.clear();
    seen_.clear();
}

namespace {

constexpr uint32_t kPlainPassMask = rt::attrDirectory;
constexpr uint32_t kListingBits = rt::attrReadOnly | rt::attrHidden | rt::attrSystem | rt::attrDirectory;

bool is_link(uint32_t attributes) { return (attributes & rt::attrReparsePoint) != 0; }

// What a listing with `mask` would return: entries whose listing bits lie within the mask.
bool within_mask(uint32_t attributes, uint32_t mask) { return (attributes & kListingBits & ~mask) == 0; }

class Walk {
public:
    Walk(FolderList& list, const FolderWalkOptions& options) : list_(list), options_(options) {}

    // One listing per folder serves every pass: each pass keeps, in listing order, what a
    // listing with its own mask would have returned.
    void walk_folder(const std::string& folder)
    {
        std::vector<rt::DirEntry> entries;
        if (!list_entries(folder, entries))
            return;
        if (options_.on_folder_listed)
            options_.on_folder_listed(folder, entries);
        run_pass(folder, entries, kPlainPassMask, false);
        if (options_.deep)
            for (uint32_t mask = kPlainPassMask | 1; mask <= (kPlainPassMask | 7); ++mask)
                run_pass(folder, entries, mask, options_.exact_attribute_passes);
    }

    // The passes never list a link; a root that is one is not entered either.
    static bool is_link_root(const std::string& root)
    {
        const auto facts = rt::file_facts(without_trailing_backslash(root));
        return facts && is_link(facts->attributes);   // a missing root lists nothing
    }

private:
    bool list_entries(const std::string& folder, std::vector<rt::DirEntry>& entries)
    {
        try {
            entries = options_.list_folder ? options_.list_folder(folder) : rt::list_dir(folder, kListingBits);
            return true;
        } catch (const rt::RuntimeError& e) {
            for (int pass = 0; pass < (options_.deep ? 8 : 1); ++pass)   // every pass would have failed
                report(e);
            return false;
        }
    }

    void run_pass(const std::string& folder, const std::vector<rt::DirEntry>& entries, uint32_t mask, bool exact)
    {
        for (const rt::DirEntry& entry : entries) {
            // A name that is no plain name ("\", "/", ":", "..", no exact UTF-8 form) is never a path step.
            if (!rt::is_usable(entry) || !walk_pass_keeps(entry.attributes, mask, exact))
                continue;
            const std::string found = folder + entry.name + "\\";
            // Each pass finds the folders of the passes before: each is judged once.
            if (list_.contains(found) || (options_.may_enter && !options_.may_enter(found)))
                continue;
            if (list_.add(found) && options_.on_folder_added)
                options_.on_folder_added(folder, entry.name);
        }
    }

    void report(const rt::RuntimeError& e)
    {
        if (options_.on_error)
            options_.on_error(e);
    }

    FolderList& list_;
    const FolderWalkOptions& options_;
};

} // namespace

std::string without_trailing_backslash(const std::string& path)
{
    if (path.size() > 3 && path.back() == '\\')
        return path.substr(0, path.size() - 1);
    return path;
}

bool walk_pass_keeps(uint32_t attributes, uint32_t mask, bool exact)
{
    if (!within_mask(attributes, mask) || !(attributes & rt::attrDirectory) || is_link(attributes))
        return false;
    return !exact || attributes == mask;
}

std::string walk_folders(FolderList& list, const std::string& root, const FolderWalkOptions& options)
{
    Walk walk(list, options);
    const std::size_t root_index = list.size();
    list.append(root);
    if (Walk::is_link_root(root))
        return root;
    std::string current = root;
    walk.walk_folder(current);
    // Everything beneath the root is appended after it; earlier entries had their own walk.
    for (std::size_t cursor = root_index + 1; cursor < list.size(); ++cursor) {
        current = rt::Trim(list[cursor]);
        walk.walk_folder(current);
    }
    return current;
}

} // namespace pellmaris
