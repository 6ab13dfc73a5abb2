#pragma once
// PMuser.lst: the user's own locations, "D <folder>" or "F <file>" per line.
#include <string>
#include <vector>
#include "common/clean_rule.h"   // may_be_cleaned

namespace pellmaris {

struct UserLocation {
    bool is_folder = false;
    std::string path;
};

// The readers' rule: first character upper-cased "D" = folder, anything else a file;
// the path is the text from the third character on. Nothing is trimmed.
UserLocation parse_user_location(const std::string& line);
// "D " or "F " followed by the path as given.
std::string format_user_location(const UserLocation& location);

// Every line of the file; a missing or unreadable file gives none. Never throws.
std::vector<std::string> read_user_location_lines(const std::string& path);
std::vector<UserLocation> read_user_locations(const std::string& path);

// Both rewrite the file safely: on failure they raise rt::RuntimeError and the old file
// stays as it was. A path holding CR or LF raises 5.
void append_user_location(const std::string& path, const UserLocation& location);
void write_user_locations(const std::string& path, const std::vector<UserLocation>& locations);
// The lines exactly as given, so that entries kept by a removal stay byte for byte.
void write_user_location_lines(const std::string& path, const std::vector<std::string>& lines);

} // namespace pellmaris
