#include "engine/clean_rules.h"
#include <algorithm>
#include "common/size_text.h"
#include "runtime/filesys.h"
#include "runtime/text.h"

namespace pellmaris {

namespace {

constexpr std::size_t kWholeCaption = 40;
constexpr std::size_t kFirstReportBlock = 3;

// Cuts every name between two backslashes that is h characters or longer.
std::string shorten_folder_names(const std::string& folder, std::size_t h)
{
    std::string out;
    std::size_t start = 0;
    for (std::size_t cut = folder.find('\\'); cut != std::string::npos; cut = folder.find('\\', start)) {
        std::string name = folder.substr(start, cut - start);
        bool between_backslashes = start != 0;
        out += between_backslashes && name.size() >= h ? name.substr(0, h) + ".." : name;
        out += '\\';
        start = cut + 1;
    }
    return out + folder.substr(start);
}

} // namespace

std::string shortened_caption(const std::string& folder, const std::string& file)
{
    const std::size_t length = folder.size() + file.size();
    if (length <= kWholeCaption)
        return folder + file;
    return shorten_folder_names(folder, std::max<std::size_t>(2, length / 2)) + file;
}

bool may_make_normal(uint32_t attributes, int16_t force_read_only, int16_t force_hidden)
{
    const uint32_t plain_bits = rt::attrArchive | rt::attrNotContentIndexed;
    const uint32_t others = attributes & ~(rt::attrReadOnly | rt::attrHidden);
    if (others != 0 && others != rt::attrArchive && others != plain_bits)
        return false;   // system files and every other combination
    const bool read_only = attributes & rt::attrReadOnly;
    const bool hidden = attributes & rt::attrHidden;
    return (!read_only || force_read_only == 1) && (!hidden || force_hidden == 1);
}

std::string totals_line(int64_t files_deleted, int64_t bytes_freed)
{
    return "Total Files Removed = " + std::to_string(files_deleted) + "    Releasing " + size_text(bytes_freed)
        + " of disk space";
}

void finish_report(std::vector<std::string>& report, const std::string& list_header, const std::string& no_files_line)
{
    for (std::size_t i = 0; i + 1 < report.size(); ++i)
        if (report[i] == list_header && report[i + 1].empty())
            report[i + 1] = no_files_line;
    if (report.size() <= kFirstReportBlock)
        return;
    auto blank = [](const std::string& line) { return rt::Trim(line).empty(); };
    report.erase(std::remove_if(report.begin() + kFirstReportBlock, report.end(), blank), report.end());
}

} // namespace pellmaris
