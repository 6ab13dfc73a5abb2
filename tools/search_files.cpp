#include "tools/search_files.h"
#include "common/file_io.h"
#include "runtime/filesys.h"
#include "runtime/text.h"
#include "runtime/textfile.h"

namespace pellmaris {

namespace {

std::string quoted(const std::string& text) { return "\"" + text + "\""; }

} // namespace

std::vector<std::string> read_search_extensions(const std::string& path) { return read_lines_tolerant(path); }

void append_search_extension(const std::string& path, const std::string& extension)
{
    rt::TextFile file(path, rt::TextFile::Append);
    file.print_line(extension);
    file.close();
}

void write_search_extensions(const std::string& path, const std::vector<std::string>& extensions)
{
    write_file_safely(path, [&](rt::TextFile& file) {
        for (const auto& extension : extensions)
            file.print_line(extension);
    });
}

std::string search_batch_text(const std::vector<std::string>& drive_rows)
{
    const std::string target = quoted(kSearchResultsFile);
    std::string text;
    for (const auto& drive : drive_rows)
        text += "Dir " + drive + "*.* /ad/s/b >> " + target + "\r\n";
    text += "echo FINISHED >> " + target + "\r\n";
    return text;
}

void write_search_batch(const std::string& batch_path, const std::vector<std::string>& drive_rows)
{
    rt::write_new_file(batch_path, search_batch_text(drive_rows));
}

void empty_file(const std::string& path) { rt::write_new_file(path, ""); }

bool is_end_marker(const std::string& line) { return rt::UCase(rt::Trim(line)) == "FINISHED"; }

void SearchListingReader::restart()
{
    offset_ = 0;
    unfinished_.clear();
}

std::optional<std::vector<std::string>> SearchListingReader::read_new_lines(const std::string& path)
{
    std::optional<rt::FileBytes> read = rt::read_file_from(path, offset_);
    if (!read)
        return std::nullopt;
    if (read->from < offset_)
        restart();
    const std::string& added = read->bytes;
    offset_ += added.size();
    std::vector<std::string> lines;
    std::string text = unfinished_ + added;
    size_t start = 0;
    for (size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
        size_t length = end - start;
        if (length > 0 && text[end - 1] == '\r')
            --length;
        lines.push_back(text.substr(start, length));
    }
    unfinished_ = text.substr(start);
    return lines;
}

} // namespace pellmaris
