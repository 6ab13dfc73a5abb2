#pragma once
// The rules of a clean that need no window: the path caption, the attribute policy and
// the finishing of the report.
#include <cstdint>
#include <string>
#include <vector>

namespace pellmaris {

// The caption of the file being deleted: the whole path up to 40 characters; beyond that,
// every folder name of h = len/2 characters or more cut to h characters and "..".
std::string shortened_caption(const std::string& folder, const std::string& file);

// Whether the attribute policy makes a file with these attributes normal before deleting it.
bool may_make_normal(uint32_t attributes, int16_t force_read_only, int16_t force_hidden);

// "Total Files Removed = n    Releasing #.00   unit of disk space".
std::string totals_line(int64_t files_deleted, int64_t bytes_freed);

// After the line `list_header` an empty line becomes `no_files_line`; then every line
// from index 3 on that is empty after trimming is removed.
void finish_report(std::vector<std::string>& report, const std::string& list_header, const std::string& no_files_line);

} // namespace pellmaris
