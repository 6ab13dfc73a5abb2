#include "engine/environment.h"
#include <windows.h>
#include "common/file_io.h"
#include "runtime/text.h"
#include "runtime/textfile.h"

namespace pellmaris {

namespace {

constexpr const char* kHomeDriveName = "HOMEDRIVE=";
constexpr const char* kUserProfileName = "USERPROFILE=";

// The value after "NAME=" when the line starts with it (the name in any case).
bool take_value(const std::string& line, const std::string& name, std::string& value)
{
    if (rt::UCase(rt::Left(line, static_cast<long>(name.size()))) != name)
        return false;
    value = rt::Mid(line, static_cast<long>(name.size()) + 1);
    return true;
}

std::string process_value(const char* name)
{
    char buffer[MAX_PATH * 4];
    DWORD n = GetEnvironmentVariableA(name, buffer, sizeof buffer);
    return n > 0 && n < sizeof buffer ? std::string(buffer, n) : std::string();
}

} // namespace

std::string double_percent_signs(const std::string& text)
{
    std::string out;
    for (char c : text) {
        out += c;
        if (c == '%')
            out += '%';
    }
    return out;
}

void apply_environment_line(const std::string& line, EnvironmentValues& values)
{
    std::string text = rt::Trim(line);
    if (!take_value(text, kHomeDriveName, values.home_drive))
        take_value(text, kUserProfileName, values.user_profile);
}

EnvironmentValues process_environment()
{
    return {process_value("HOMEDRIVE"), process_value("USERPROFILE")};
}

EnvironmentValues read_environment(const std::string& dump_path)
{
    EnvironmentValues values = process_environment();
    for (const std::string& line : read_dump_lines(dump_path))
        apply_environment_line(line, values);
    return values;
}

// The command interpreter writes its dumps in the OEM code page.
std::vector<std::string> read_dump_lines(const std::string& path)
{
    std::vector<std::string> lines;
    try {
        rt::TextFile file(path, rt::TextFile::Input, CP_OEMCP);
        while (!file.eof())
            lines.push_back(file.line_input());
    } catch (const std::exception&) {
        // a missing or damaged dump keeps what was read
    }
    return lines;
}

std::string dump_command(const std::string& command, const std::string& dump_path)
{
    return command + " > \"" + double_percent_signs(dump_path) + "\"";
}

void write_batch_file(const std::string& batch_path, const std::string& command_line)
{
    rt::TextFile out(batch_path, rt::TextFile::Output, CP_OEMCP);
    out.print_line(command_line);
    out.close();
}

} // namespace pellmaris
