#pragma once
// Where a path really leads: the final path the system gives for an opened file or folder,
// with every link of its parent steps resolved.
#include <windows.h>
#include <cstdint>
#include <optional>
#include <string>

namespace rt {

// The final path of an open handle in plain form: "C:\a\b" or "\\server\share\a", without
// "\\?\" and without a trailing "\" except for a drive root ("C:\"). Nothing when the system
// gives no path of either form (under Wine, a host path outside every drive).
std::optional<std::string> final_path_of(HANDLE handle);

struct FinalPath {
    std::string path;         // plain form, as final_path_of gives it
    uint32_t attributes = 0;  // of the opened file or folder itself (a link stays a link)
    bool is_folder() const;
    bool is_link() const;
};

// Opens an existing file or folder without following a link at its last step and gives its
// final path. Nothing when nothing exists there; raises 75 when something is there but
// cannot be opened, so its final path is unknown.
std::optional<FinalPath> find_final_path(const std::string& path);
// The same, nothing for every failure.
std::optional<std::string> final_path(const std::string& path);

// The text that two paths share when the file system takes them for the same name:
// upper-cased as an ordinal, case-insensitive comparison of names does.
std::string path_key(const std::string& path);
bool same_path(const std::string& a, const std::string& b);

} // namespace rt
