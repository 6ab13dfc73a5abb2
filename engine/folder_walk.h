#pragma once
// The breadth-first folder walk shared by the main window, the analysis and the
// zero-length scanner: a location and every folder beneath it, parents before children.
#include <cstdint>
#include <functional>
#include <string>
#include <unordered_set>
#include <vector>
#include "runtime/errors.h"
#include "runtime/filesys.h"

namespace pellmaris {

// The walk's list: queue and set at once. The hash set beside the list keeps the
// duplicate test linear while the list keeps the order.
class FolderList {
public:
    const std::vector<std::string>& folders() const { return folders_; }
    std::size_t size() const { return folders_.size(); }
    const std::string& operator[](std::size_t i) const { return folders_[i]; }
    bool contains(const std::string& folder) const { return seen_.count(folder) != 0; }
    // Appends the folder unless the list already holds this exact text; true when appended.
    bool add(const std::string& folder);
    // Appends even a folder already listed (a walk's root).
    void append(const std::string& folder);
    void clear();

private:
    std::vector<std::string> folders_;
    std::unordered_set<std::string> seen_;
};

struct FolderWalkOptions {
    // Also list read-only, hidden and system folders (extra passes with masks 17 to 23).
    bool deep = false;
    // In the extra passes, keep a folder only when its attributes equal the pass's mask.
    bool exact_attribute_passes = false;
    // Told of every run-time error; the walk then goes on with the next step.
    std::function<void(const rt::RuntimeError&)> on_error;
    // Whether a folder found (its path, ending in "\") may be walked; unset: every folder. A
    // folder refused is neither appended nor walked (the program folder inside a location).
    std::function<bool(const std::string& folder)> may_enter;
    // Told of every folder appended, with the folder walked and the name found.
    std::function<void(const std::string& parent, const std::string& name)> on_folder_added;
    // Lists a folder in place of the walk's own listing by path (which may raise); unset: the
    // listing by path.
    std::function<std::vector<rt::DirEntry>(const std::string& folder)> list_folder;
    // Told of every folder listed, with all its entries (files too): a caller that goes on
    // to the files needs no second listing.
    std::function<void(const std::string& folder, const std::vector<rt::DirEntry>& entries)> on_folder_listed;
};

// The path without its trailing backslash (a drive root keeps it): with it, a link's path
// names the folder the link points to.
std::string without_trailing_backslash(const std::string& path);

// Whether a listing pass with `mask` keeps an entry as a folder to walk: a folder within
// the mask that is no link, and in exact passes one whose attributes equal the mask.
bool walk_pass_keeps(uint32_t attributes, uint32_t mask, bool exact);

// Appends `root` to `list` and walks it and every folder found beneath it, breadth-first:
// per folder a plain pass (mask 16), then, when deep, passes with masks 17 to 23. Names
// "." and ".." and folders that carry the reparse-point attribute (links, junctions) are
// never listed or entered. Returns the last folder walked, trimmed (the root when nothing
// was found beneath it).
std::string walk_folders(FolderList& list, const std::string& root, const FolderWalkOptions& options);

} // namespace pellmaris
