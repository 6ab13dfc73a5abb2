#pragma once
// The start-up dumps: the batch files that make them and the environment values read back.
#include <string>
#include <vector>

namespace pellmaris {

// The two values that resolve the "H " and "U " location prefixes.
struct EnvironmentValues {
    std::string home_drive;
    std::string user_profile;
};

// A trimmed line starting "HOMEDRIVE=" or "USERPROFILE=" (name in any case) sets that value.
void apply_environment_line(const std::string& line, EnvironmentValues& values);

// The process's own HOMEDRIVE and USERPROFILE ("" when unset).
EnvironmentValues process_environment();

// The process's own values, each replaced by the dump's when the dump has it (the last
// matching line wins). A missing dump leaves the process's values.
EnvironmentValues read_environment(const std::string& dump_path);

// The command interpreter writes and reads batch files and redirected output in the OEM
// code page: the dump readers and the batch writer convert to and from it.

// The lines of a dump, converted to ANSI; a missing or unreadable dump gives none.
std::vector<std::string> read_dump_lines(const std::string& path);

// The text with every "%" doubled: how a batch file writes a path so that the command
// interpreter does not take part of it for a variable.
std::string double_percent_signs(const std::string& text);

// command & " > " & the quoted dump path, with every "%" of the path doubled so that the
// command interpreter does not take it for a variable.
std::string dump_command(const std::string& command, const std::string& dump_path);

// Writes the one-line batch file (OEM, CR LF), replacing an older one. Raises
// rt::RuntimeError when it cannot be written.
void write_batch_file(const std::string& batch_path, const std::string& command_line);

} // namespace pellmaris
