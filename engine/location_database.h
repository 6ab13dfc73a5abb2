#pragma once
// PMlist.lst, the encoded location database, and the sections of its decoded lines.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace rt {
class TextFile;
}

namespace pellmaris {

// The section tags of the decoded database.
inline constexpr const char* kSectionGamer = "[GAMER]";
inline constexpr const char* kSectionInternet = "[INTERNET]";
inline constexpr const char* kSectionCookies = "[COOKIES]";
inline constexpr const char* kSectionTemp = "[TEMP]";
inline constexpr const char* kSectionLogs = "[LOGS]";

// The key sits on line 3 from its 14th character on; only its first 20 characters count.
inline constexpr long kKeyStart = 14;
inline constexpr std::size_t kMaxKeyLength = 20;

// Slot i (1 to the key length) holds the code of key character i; every other slot 0.
struct LocationKey {
    std::array<int16_t, kMaxKeyLength + 1> slot{};
};
LocationKey key_from_line(const std::string& key_line);

// The character a number field stands for; nothing when the field is not a number or the
// code falls outside 0 to 255 (which ends the decoding).
std::optional<char> decode_number(const std::string& field, const LocationKey& key);

// Reads records from line 4 on and returns one line per complete record. Decoding stops
// quietly at the end of the file, inside an unfinished record (which is dropped), or at
// a field that does not decode.
std::vector<std::string> decode_records(rt::TextFile& in, const LocationKey& key);

// The decoded lines of the database file. Raises rt::RuntimeError when the file cannot be
// opened or has no key line; once the key is read, failures only end the decoding.
std::vector<std::string> decode_location_database(const std::string& path);

// The entries of a section: the lines after its header (matched trimmed and upper-cased)
// up to the first line that is empty after trimming, each trimmed. A tag that occurs
// twice contributes both runs.
struct Section {
    bool found = false;
    std::vector<std::string> entries;
    // Header, entries and closing empty line (no closing line at the end of the list).
    int32_t counted_lines = 0;
};
Section find_section(const std::vector<std::string>& lines, const std::string& tag);

// The path of an entry: "U " and "H " (the letter followed by a blank) put the user
// profile or the home drive before the entry's text from its third character on; any other
// entry stands as it is. A result that is not fully qualified gives "", a location that
// does not exist.
std::string expand_location(const std::string& entry, const std::string& user_profile,
                            const std::string& home_drive);

} // namespace pellmaris
