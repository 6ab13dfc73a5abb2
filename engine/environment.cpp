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

std::string convert(const std::string& text, UINT from, UINT to)
{
    if (text.empty())
        return text;
    int wide_len = MultiByteToWideChar(from, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(wide_len), L'\0');
    MultiByteToWideChar(from, 0, text.data(), static_cast<int>(text.size()), wide.data(), wide_len);
    int len = WideCharToMultiByte(to, 0, wide.data(), wide_len, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(len), '\0');
    WideCharToMultiByte(to, 0, wide.data(), wide_len, out.data(), len, nullptr, nullptr);
    return out;
}

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

std::string ansi_to_oem(const std::string& text) { return convert(text, CP_ACP, CP_OEMCP); }

std::string oem_to_ansi(const std::string& text) { return convert(text, CP_OEMCP, CP_ACP); }

std::vector<std::string> read_dump_lines(const std::string& path)
{
    std::vector<std::string> lines = read_lines_tolerant(path);
    for (std::string& line : lines)
        line = oem_to_ansi(line);
    return lines;
}

std::string dump_command(const std::string& command, const std::string& dump_path)
{
    return command + " > \"" + double_percent_signs(dump_path) + "\"";
}

void write_batch_file(const std::string& batch_path, const std::string& command_line)
{
    rt::TextFile out(batch_path, rt::TextFile::Output);
    out.print_line(ansi_to_oem(command_line));
    out.close();
}

} // namespace pellmaris
