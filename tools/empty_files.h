#pragma once
// The zero-length scanner's deletion: each file is checked on the very handle that
// deletes it, so a file that changed since the scan, or a link put in its place, is kept.
#include <string>
#include <vector>

namespace pellmaris {

enum class EmptyFileOutcome {
    Deleted,
    NotEmpty,    // gone, grown, a folder or a link now, or carrying read-only, hidden or system
    Protected,   // inside the Windows folder, a Program Files folder or the program folder
    Failed,      // in use elsewhere, access denied, or a name the system cannot take
};

class EmptyFileDeleter {
public:
    // Takes the final paths of the protected folders once, for a whole round of deletions.
    explicit EmptyFileDeleter(const std::string& program_folder);

    EmptyFileOutcome delete_if_still_empty(const std::string& path) const;

    // The protected folders' final paths, upper-cased, each ending in "\".
    const std::vector<std::wstring>& protected_folders() const { return protected_; }

private:
    bool is_protected(const std::wstring& final_path) const;
    std::vector<std::wstring> protected_;
};

} // namespace pellmaris
