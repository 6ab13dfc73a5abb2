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
