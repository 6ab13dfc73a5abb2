#pragma once
// The file search's three files in the program folder: the saved extensions, the batch that
// lists the folders of the chosen drives, and the listing it writes.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace pellmaris {

inline constexpr const char* kSearchExtensionsFile = "PMsearch.lst";
inline constexpr const char* kSearchBatchFile = "PMsearch.bat";
inline constexpr const char* kSearchResultsFile = "PMsearch.txt";

// The user's saved extensions, in file order; a missing or unreadable file gives what was read.
std::vector<std::string> read_search_extensions(const std::string& path);
// Adds one line (the file is created when missing). Raises on failure.
void append_search_extension(const std::string& path, const std::string& extension);
// Writes the list anew, in place of the old file only when complete. Raises on failure.
void write_search_extensions(const std::string& path, const std::vector<std::string>& extensions);

// The batch: one Dir line per drive row ("E:\"), then the echo of the end marker, each into
// the quoted listing by its bare name, every line ended by CR LF. The batch runs in the program
// folder, so the folder's name never stands in it, where the command interpreter would expand
// "%" and "!" and read "&", "^" or ")".
std::string search_batch_text(const std::vector<std::string>& drive_rows);
// Writes the batch anew. Raises a file error.
void write_search_batch(const std::string& batch_path, const std::vector<std::string>& drive_rows);
// Creates the file empty, or empties it. Raises on failure.
void empty_file(const std::string& path);

// The line the batch writes last: "FINISHED" whatever its case and the blanks around it.
bool is_end_marker(const std::string& line);

// Reads the listing as the batch appends to it, without ever keeping the batch from writing:
// each read takes the lines added since the last one, so a long listing is not read again and
// again. A listing that became shorter (emptied for a new search) is read from its start.
class SearchListingReader {
public:
    void restart();
    // The lines completed since the last read; nothing when the file cannot be opened or read.
    std::optional<std::vector<std::string>> read_new_lines(const std::string& path);
    // The text after the last line end (a line being written, or a last line without its end).
    const std::string& unfinished_line() const { return unfinished_; }

private:
    uint64_t offset_ = 0;
    std::string unfinished_;
};

} // namespace pellmaris
