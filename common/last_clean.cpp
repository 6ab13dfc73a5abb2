#include "common/last_clean.h"
#include "common/file_io.h"
#include "common/size_text.h"

namespace pellmaris {

LastClean make_last_clean(const rt::LocalTime& now, int64_t files_deleted, int64_t bytes_freed)
{
    return {rt::short_date_text(now), rt::time_text(now), std::to_string(files_deleted), size_text(bytes_freed)};
}

void write_last_clean(const std::string& path, const LastClean& record)
{
    const std::string* fields[] = {&record.date, &record.time, &record.files, &record.space};
    for (const auto* field : fields)
        require_single_line(*field);
    write_file_safely(path, [&](rt::TextFile& file) {
        for (const auto* field : fields)
            file.print_line(*field);
    });
}

std::optional<LastClean> read_last_clean(const std::string& path)
{
    // Records of four lines to the end: a record cut short is a read error, as is no record.
    const auto lines = read_lines_tolerant(path);
    if (lines.empty() || lines.size() % 4 != 0)
        return std::nullopt;
    auto block = last_block(lines, 4);
    return LastClean{block[0], block[1], block[2], block[3]};
}

} // namespace pellmaris
