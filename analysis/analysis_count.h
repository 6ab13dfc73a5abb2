#pragma once
// What the analysis counts, free of windows: the class the clean gives a file by its
// attributes, the files of one grid column (each once, however many of its locations reach
// it), the column's rows and what a clean of the column with the saved choices would free.
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace pellmaris {

enum class FileClass { Uncounted, Plain, ReadOnly, Hidden, ReadOnlyHidden };

// As the clean's attribute policy treats a file: without the read-only, hidden and system
// bits it is plain (always deleted); read-only and hidden ones go by the force options when
// nothing but the archive and not-content-indexed bits stand beside them; everything else
// (system files, folders, other combinations) no clean deletes, and the analysis passes over.
FileClass file_class(uint32_t attributes);

// Where a column found a file.
enum FileSource : uint8_t {
    kFirstSection = 1,    // Gamer, Temp, and the Internet column's "[INTERNET]"
    kSecondSection = 2,   // the Internet column's "[COOKIES]"
    kUserFolder = 4,      // a folder entry of PMuser.lst: its clean takes the plain files only
    kUserFile = 8,        // a file entry of PMuser.lst
};

struct CountedFile {
    std::string path;
    int64_t length = 0;
    FileClass file_class = FileClass::Uncounted;
    uint8_t sources = 0;   // FileSource bits
};

// Rows 1 to 4 of a column.
struct ClassBytes {
    int64_t total = 0, read_only = 0, hidden = 0, read_only_hidden = 0;
};

// The saved selection as the clean of one column takes it.
struct CleanChoice {
    uint8_t sources = 0;   // the parts of the column the clean covers; 0 = not selected
    bool force_read_only = false;
    bool force_hidden = false;
};

class ColumnFiles {
public:
    // Adds the file, or notes that the one already there was found in `source` too. Paths
    // are final paths with names as listed, so one file has one text; a case-sensitive
    // folder may hold two names that differ only in case, and those are two files.
    void add(const std::string& path, int64_t length, FileClass file_class, FileSource source);
    void clear();
    const std::vector<CountedFile>& files() const { return files_; }

    // Files of the database sections and the user folders count by class; a user file
    // entry counts in the total whatever its class.
    ClassBytes class_bytes() const;
    // Bytes of the files the clean of the column deletes.
    int64_t freed_by_clean(const CleanChoice& choice) const;

private:
    std::vector<CountedFile> files_;
    std::unordered_map<std::string, std::size_t> positions_;   // by the path
};

// Bytes that the cleans of several columns free one after another: a file that more than
// one of them reaches is deleted, and counted, once.
struct ColumnClean {
    const ColumnFiles* files;
    CleanChoice choice;
};
int64_t freed_by_cleans(const std::vector<ColumnClean>& cleans);

// Rows 1 to 4 of several columns together: a file that more than one of them reaches
// takes its place on the disk, and counts, once.
ClassBytes class_bytes_once(const std::vector<const ColumnFiles*>& columns);

// The four file lists of the results window, in counting order: the files of the plain
// listing (plain and read-only), read-only, hidden, hidden read-only.
struct ClassLists {
    std::vector<std::string> plain_listing, read_only, hidden, read_only_hidden;
};
ClassLists class_lists(const ColumnFiles& files);

// Removes from `list`, for each item of each other list in turn, the first item still
// there with exactly the same text.
void remove_first_matches(std::vector<std::string>& list, const std::vector<const std::vector<std::string>*>& others);

} // namespace pellmaris
