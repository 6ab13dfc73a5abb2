#include "common/user_locations.h"
#include "common/file_io.h"
#include "runtime/errors.h"
#include "runtime/text.h"

namespace pellmaris {

UserLocation parse_user_location(const std::string& line)
{
    return {rt::UCase(rt::Left(line, 1)) == "D", rt::Mid(line, 3)};
}

std::string format_user_location(const UserLocation& location)
{
    return (location.is_folder ? "D " : "F ") + location.path;
}

std::vector<std::string> read_user_location_lines(const std::string& path)
{
    return read_lines_tolerant(path);
}

std::vector<UserLocation> read_user_locations(const std::string& path)
{
    std::vector<UserLocation> locations;
    for (const auto& line : read_user_location_lines(path))
        locations.push_back(parse_user_location(line));
    return locations;
}

void write_user_location_lines(const std::string& path, const std::vector<std::string>& lines)
{
    for (const auto& line : lines)
        require_single_line(line);
    write_file_safely(path, [&](rt::TextFile& file) {
        for (const auto& line : lines)
            file.print_line(line);
    });
}

void append_user_location(const std::string& path, const UserLocation& location)
{
    // Rewritten whole, so a failed append never leaves half a line behind.
    auto lines = read_lines_strict(path);
    lines.push_back(format_user_location(location));
    write_user_location_lines(path, lines);
}

void write_user_locations(const std::string& path, const std::vector<UserLocation>& locations)
{
    std::vector<std::string> lines;
    for (const auto& location : locations)
        lines.push_back(format_user_location(location));
    write_user_location_lines(path, lines);
}

} // namespace pellmaris
