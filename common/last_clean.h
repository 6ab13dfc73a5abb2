#pragma once
// date.lst: the record of the last full clean, four lines.
#include <cstdint>
#include <optional>
#include <string>
#include "runtime/text.h"

namespace pellmaris {

struct LastClean {
    std::string date;    // the system's short date
    std::string time;    // the system's time text
    std::string files;   // files removed, decimal digits
    std::string space;   // size_text of the bytes freed
};

// The record of a clean that ended at `now`.
LastClean make_last_clean(const rt::LocalTime& now, int64_t files_deleted, int64_t bytes_freed);

// Four lines with CR LF, written safely: on failure raises rt::RuntimeError and the old
// file stays as it was. A field holding CR or LF raises 5.
void write_last_clean(const std::string& path, const LastClean& record);
// The last record of four lines; nothing when the file is missing, empty or ends inside
// a record (as a reader of four-line records fails there). Never throws.
std::optional<LastClean> read_last_clean(const std::string& path);

} // namespace pellmaris
