#include "common/user_locations.h"
#include <windows.h>
#include <cctype>
#include <optional>
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

// ---- which paths may be cleaned ----

namespace {

// A path reduced to its root ("C:" or "\\SERVER\SHARE") and its steps, upper-cased.
struct CanonicalPath {
    std::string root;
    std::vector<std::string> steps;

    bool operator==(const CanonicalPath&) const = default;
    std::string text() const
    {
        std::string out = root + "\\";
        for (std::size_t i = 0; i < steps.size(); ++i)
            out += (i ? "\\" : "") + steps[i];
        return out;
    }
    // This path names `other` or a folder above it.
    bool contains(const CanonicalPath& other) const
    {
        if (root != other.root || steps.size() > other.steps.size())
            return false;
        for (std::size_t i = 0; i < steps.size(); ++i)
            if (steps[i] != other.steps[i])
                return false;
        return true;
    }
    std::optional<CanonicalPath> parent() const
    {
        if (steps.empty())
            return std::nullopt;
        CanonicalPath p = *this;
        p.steps.pop_back();
        return p;
    }
};

std::vector<std::string> split_steps(const std::string& text)
{
    std::vector<std::string> steps;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find('\\', start);
        if (end == std::string::npos)
            end = text.size();
        if (end > start)
            steps.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return steps;
}

bool has_forbidden_characters(const std::string& text)
{
    for (unsigned char c : text)
        if (c < 32 || c == '*' || c == '?' || c == '"' || c == '<' || c == '>' || c == '|')
            return true;
    return false;
}

// "." is dropped, ".." goes up, trailing dots and blanks are dropped as Windows does.
std::optional<std::vector<std::string>> resolve_steps(const std::vector<std::string>& raw)
{
    std::vector<std::string> steps;
    for (const auto& step : raw) {
        if (step == ".")
            continue;
        if (step == "..") {
            if (!steps.empty())
                steps.pop_back();
            continue;
        }
        auto keep = step.find_last_not_of(". ");
        if (keep == std::string::npos)
            return std::nullopt;
        steps.push_back(rt::UCase(step.substr(0, keep + 1)));
    }
    return steps;
}

std::optional<CanonicalPath> parse_path(std::string text)
{
    for (char& c : text)
        if (c == '/')
            c = '\\';
    if (has_forbidden_characters(text))
        return std::nullopt;
    CanonicalPath path;
    std::vector<std::string> raw;
    if (text.size() >= 2 && text[0] == '\\' && text[1] == '\\') {
        raw = split_steps(text.substr(2));
        if (raw.size() < 2 || raw[0] == "." || raw[0] == ".." || raw[1] == "." || raw[1] == "..")
            return std::nullopt;   // no share, or a device path such as \\.\C:
        path.root = "\\\\" + rt::UCase(raw[0]) + "\\" + rt::UCase(raw[1]);
        raw.erase(raw.begin(), raw.begin() + 2);
    } else if (text.size() >= 3 && std::isalpha(static_cast<unsigned char>(text[0])) && text[1] == ':' &&
               text[2] == '\\') {
        path.root = rt::UCase(text.substr(0, 2));
        raw = split_steps(text.substr(3));
    } else {
        return std::nullopt;
    }
    auto steps = resolve_steps(raw);
    if (!steps)
        return std::nullopt;
    path.steps = *steps;
    return path;
}

// An existing path is taken under its long name, so "PROGRA~1" is "PROGRAM FILES".
std::optional<CanonicalPath> canonical(const std::string& text)
{
    auto path = parse_path(text);
    if (!path)
        return std::nullopt;
    char long_name[MAX_PATH * 4];
    DWORD n = GetLongPathNameA(path->text().c_str(), long_name, sizeof long_name);
    if (n > 0 && n < sizeof long_name) {
        if (auto longer = parse_path(long_name))
            return longer;
    }
    return path;
}

std::optional<CanonicalPath> canonical_environment(const char* name)
{
    char value[MAX_PATH * 4];
    DWORD n = GetEnvironmentVariableA(name, value, sizeof value);
    if (n == 0 || n >= sizeof value)
        return std::nullopt;
    return canonical(value);
}

std::optional<CanonicalPath> windows_folder()
{
    char folder[MAX_PATH];
    UINT n = GetWindowsDirectoryA(folder, sizeof folder);
    if (n == 0 || n >= sizeof folder)
        return std::nullopt;
    return canonical(folder);
}

// Folders that must never be emptied, nor any folder above them.
std::vector<CanonicalPath> protected_folders(const std::string& program_folder)
{
    std::vector<std::optional<CanonicalPath>> candidates = {
        windows_folder(),
        canonical_environment("ProgramFiles"),
        canonical_environment("ProgramFiles(x86)"),
        canonical_environment("ProgramW6432"),
        canonical_environment("USERPROFILE"),
        canonical_environment("ALLUSERSPROFILE"),
        canonical_environment("PUBLIC"),
        canonical(program_folder),
    };
    std::vector<CanonicalPath> folders;
    for (const auto& c : candidates)
        if (c)
            folders.push_back(*c);
    return folders;
}

bool is_program_files_name(const CanonicalPath& path)
{
    return path.root.size() == 2 && path.steps.size() == 1 &&
           (path.steps[0] == "PROGRAM FILES" || path.steps[0] == "PROGRAM FILES (X86)");
}

// Every user's folder sits directly in the folder that holds the current user's one.
bool is_profile_folder(const CanonicalPath& path)
{
    auto profile = canonical_environment("USERPROFILE");
    if (!profile)
        return false;
    auto profiles = profile->parent();
    auto parent = path.parent();
    return profiles && parent && !profiles->steps.empty() && *parent == *profiles;
}

} // namespace

bool may_be_cleaned(const std::string& path, const std::string& program_folder)
{
    auto target = canonical(path);
    if (!target || target->steps.empty())
        return false;
    if (is_program_files_name(*target) || is_profile_folder(*target))
        return false;
    for (const auto& folder : protected_folders(program_folder))
        if (target->contains(folder))
            return false;
    // The program's own files (settings, database, skin) are never junk.
    auto program = canonical(program_folder);
    return !(program && program->contains(*target));
}

} // namespace pellmaris
