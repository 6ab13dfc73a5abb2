#pragma once
// Whole-file reading and safe rewriting shared by the program-folder formats.
#include <cstddef>
#include <functional>
#include <string>
#include <vector>
#include "runtime/textfile.h"

namespace pellmaris {

// Prints the new content into a temporary file beside `path` and puts it in place of the
// old file only when it is complete. On failure the temporary file is removed, the old
// file is untouched and rt::RuntimeError is raised (75 for a read-only file, a folder or a
// link in the way, 76 for a missing folder, 61/57 when the data cannot be written).
void write_file_safely(const std::string& path, const std::function<void(rt::TextFile&)>& print);

// Every line of the file up to the first error; a missing file gives none. Never throws.
std::vector<std::string> read_lines_tolerant(const std::string& path);
// Every line of the file; a missing file gives none, any other failure raises.
std::vector<std::string> read_lines_strict(const std::string& path);

// The last complete block of `block` lines; when there is none, the lines there are.
std::vector<std::string> last_block(const std::vector<std::string>& lines, std::size_t block);

// Raises 5 when the text would break a line-per-value file.
void require_single_line(const std::string& text);

} // namespace pellmaris
