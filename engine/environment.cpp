#include "engine/environment.h"
#include <windows.h>
#include <cctype>
#include "common/clean_rule.h"
#include "common/file_io.h"
#include "runtime/system_places.h"
#include "runtime/text.h"
#include "runtime/textfile.h"

namespace pellmaris {

namespace {

// "C:": the home drive as Windows sets it.
bool is_drive(const std::string& value)
{
    return value.size() == 2 && std::isalpha(static_cast<unsigned char>(value[0])) && value[1] == ':';
}

} // namespace

EnvironmentValues environment_values(const std::string& program_folder)
{
    const CleanRule rule(program_folder);
    const std::string home = rt::environment_variable("HOMEDRIVE").value_or("");
    const std::string profile = rt::environment_variable("USERPROFILE").value_or("");
    EnvironmentValues values;
    if (is_drive(home) || rule.may_be_profile(home))
        values.home_drive = home;
    if (rule.may_be_profile(profile))
        values.user_profile = profile;
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

std::string dump_command(const std::string& command, const std::string& dump_name)
{
    return command + " > \"" + dump_name + "\"";
}

void write_batch_file(const std::string& batch_path, const std::string& command_line)
{
    rt::TextFile out(batch_path, rt::TextFile::Output, CP_OEMCP);
    out.print_line(command_line);
    out.close();
}

} // namespace pellmaris
