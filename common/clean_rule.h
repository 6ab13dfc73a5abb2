#pragma once
// What may be cleaned: one rule for every clean, the analysis and the own-locations editor.
// Paths are judged by their final paths, so a link in a parent step, a short name, another
// case or a network alias of a local folder does not lead past the rule.
#include <optional>
#include <string>
#include <vector>
#include "runtime/final_path.h"

namespace rt {
class FolderHandle;
}

namespace pellmaris {

struct UserLocation;

class CleanRule {
public:
    // The rule of no clean: refuses everything.
    CleanRule() = default;
    // Finds the final paths and the identities of the protected folders once: the Windows
    // folder, the Program Files folders, the user profile, the folder of the profiles, the
    // common profiles and the program folder ("P:" is the root of P:). The first form takes
    // the system's Windows folder; the system's own is protected by its identity in any case.
    explicit CleanRule(const std::string& program_folder);
    CleanRule(const std::string& program_folder, const std::string& windows_folder);

    // The final path of a folder location that may be emptied, ending in "\"; nothing when
    // it is refused. Refused: a path that is not fully qualified, too long for the system,
    // with wildcards, a stream name or a step that ends in a blank or a dot; a device path,
    // an administrative share ("X$") or a share of this machine; a folder that is a link, a
    // file, or lies beyond a link; a drive or share root; the Windows folder and its
    // sub-folders except its known junk (Temp, Minidump, SoftwareDistribution\Download and
    // what lies below them); each Program Files folder; each profile folder and the folder
    // holding them; the common profiles; any folder above one of these; the program folder
    // and everything in it (in a drive root: its own files and skin folder).
    std::optional<std::string> folder_location(const std::string& path) const;
    // The final path of a single file that may be deleted; nothing when it is refused.
    // Refused as above for its path, for a file in any folder refused above (allowed: a file
    // in a drive root, and a log file ("*.log") anywhere in the Windows folder but its
    // System32, SysWOW64 and WinSxS), a path that names a folder or a link, and the program's
    // own files.
    std::optional<std::string> file_location(const std::string& path) const;
    // For a folder that a walk reached below an allowed location, by its final path: false
    // for the program folder and everything in it, and for every folder refused above. (The
    // location itself was judged by identity; a walk follows no link.)
    bool may_empty_folder(const std::string& final_folder) const;
    // The same for a folder opened to be emptied, judged on that very handle, by its identity
    // too.
    bool may_empty_folder(const rt::FolderHandle& folder) const;

    // Whether the zero-length scanner keeps the empty files of a folder (its final path): many
    // programs keep empty marker files in the Windows folder, the Program Files folders and
    // the program folder (in a drive root: its own files and skin folder), and below them.
    bool keeps_empty_files_in(const std::string& final_folder) const;

    // Whether the own-locations editor may add the entry: what a clean allows, except a folder
    // that holds the program folder (a clean would skip the program folder in it, but the
    // user is asked to choose a folder beside it instead).
    bool may_be_added(const UserLocation& location) const;
    // Whether a folder may stand for the user profile (or the home folder) that "U " and "H "
    // entries are put below. Refused: a path refused as written (above), a drive or share
    // root, the Windows folder and every folder in it or above it, the program folder and
    // every folder in it, the Program Files folders and the common profiles.
    bool may_be_profile(const std::string& folder) const;

    struct Folder {
        std::string root;                // "C:" or "\\SERVER\SHARE", as the path has it
        std::vector<std::string> steps;  // as the path has them
        std::vector<std::string> keys;   // root and steps as the file system compares them
    };

private:
    bool refused_share(const Folder& path) const;
    bool names_protected_folder(const Folder& path) const;
    bool refused_in_windows(const Folder& path) const;
    bool is_windows_log(const Folder& path) const;
    bool refused_folder(const Folder& path) const;
    bool refused_file(const Folder& path) const;
    bool in_program_folder(const Folder& path) const;
    bool is_program_file(const Folder& path) const;
    bool refused_by_identity(const Folder& folder, const std::string& file_key) const;
    bool windows_refuses(const rt::OpenedIdentity& id, std::vector<std::string> below, bool log) const;
    bool self_refused_by_identity(const rt::OpenedIdentity& folder) const;
    bool in_system_or_program_by_identity(const Folder& path, bool program_files) const;
    void record_identities(const std::string& program_folder, const std::string& windows_folder);

    bool ready_ = false;
    std::optional<Folder> windows_, profile_, profiles_, program_;
    std::vector<Folder> windows_junk_;     // the Windows folder's sub-folders that are emptied
    std::vector<Folder> windows_system_;   // where not even a log file is deleted
    std::vector<Folder> shared_;           // Program Files and the common profiles
    std::vector<Folder> protected_;        // never emptied, nor any folder above them (Windows apart)
    std::vector<std::string> machine_keys_;

    // The same folders by identity, which no other name or drive letter changes.
    struct Identities {
        rt::IdentitySet refused;    // refused, and so are the files directly in them
        rt::IdentitySet roots;      // drive roots above a protected folder: their files are not
        rt::IdentitySet profiles;   // what lies directly in these is a profile
        rt::IdentitySet windows, windows_children, program_files;
        rt::IdentitySet program;        // the program folder (at a root: its skin folder), and below
        rt::IdentitySet program_root;   // a program folder that is a drive root
    } ids_;
};

// Whether a folder (a path ending in "\" or naming an existing folder) or a file may be
// added as an own location: CleanRule::may_be_added.
bool may_be_cleaned(const std::string& path, const std::string& program_folder);
// The same for a user entry: a folder entry by the folder rule, a file entry by the file rule.
bool may_be_cleaned(const UserLocation& location, const std::string& program_folder);

} // namespace pellmaris
