#pragma once
// The zero-length scanner's deletion: each file is checked on the very handle that
// deletes it, so a file that changed since the scan, or a link put in its place, is kept.
#include <optional>
#include <string>
#include <vector>
#include "common/clean_rule.h"
#include "runtime/filesys.h"

namespace pellmaris {

// The folder opened where the walk found it: neither it nor any step above it is a link
// (its final path is the path given). Nothing when it is not there as found.
std::optional<rt::FolderHandle> open_folder_as_found(const std::string& folder_path);
// A plain file of a folder's listing: no read-only, hidden or system file, no folder, no
// link, no name that reads as a path.
bool is_plain_file(const rt::DirEntry& entry);

enum class EmptyFileOutcome {
    Deleted,
    Gone,        // nothing stands at its path any more
    Grown,       // no longer empty
    InUse,       // another program has it open
    Replaced,    // a folder or a link in its place or its folder's, or read-only, hidden or system now
    Protected,   // inside the Windows folder, a Program Files folder or the program folder
};

class EmptyFileDeleter {
public:
    // Finds the protected folders once, for a whole round of deletions.
    explicit EmptyFileDeleter(const std::string& program_folder);

    EmptyFileOutcome delete_if_still_empty(const std::string& path) const;

private:
    CleanRule rule_;
};

} // namespace pellmaris
