#pragma once
// Where a path really leads: the final path of an existing file or folder, with every link
// of its parent steps resolved (rt::final_path_of in runtime/filesys.h, for an open handle).
#include <cstdint>
#include <optional>
#include <string>

namespace rt {

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

} // namespace rt
