#pragma once
// The file system as the program's procedures use it.
#include <cstdint>
#include <string>
#include <vector>

namespace rt {

enum Attr : uint32_t {
    attrNormal = 0,
    attrReadOnly = 1,
    attrHidden = 2,
    attrSystem = 4,
    attrDirectory = 16,
    attrArchive = 32,
    attrReparsePoint = 1024,
    attrNotContentIndexed = 8192,
};

struct DirEntry {
    std::string name;        // bare name
    uint32_t attributes = 0;
    int64_t length = 0;      // 0 for folders
};

// Entries of the pattern whose read-only, hidden, system and directory bits all lie
// within the mask (the archive bit never matters). A pattern ending in "\" lists the
// folder's entries. A path that does not exist lists nothing, without error.
// "." and ".." are returned as the platform returns them.
std::vector<DirEntry> list_dir(const std::string& pattern, uint32_t mask);
// The first name of list_dir, or "" (the existence probe of one exact path).
std::string dir_first(const std::string& pattern, uint32_t mask);

uint32_t get_attr(const std::string& path);           // raises 53/76
void set_attr(const std::string& path, uint32_t attributes);
int64_t file_len(const std::string& path);            // raises 53
// Deletes one exact file (no wildcards). Refuses a file carrying the read-only (75),
// hidden or system (53) attribute, as the program's attribute policy relies on.
void kill_file(const std::string& path);
void remove_dir(const std::string& path);             // empty folders only; raises 75
void make_dir(const std::string& path);
void change_drive(const std::string& drive);          // raises 68/71 for a drive not ready
bool file_exists(const std::string& path);            // a file, not a folder
bool path_exists(const std::string& path);            // a file or folder

// Fully qualified: a drive letter, colon and backslash, or a UNC path.
bool is_fully_qualified(const std::string& path);

} // namespace rt
