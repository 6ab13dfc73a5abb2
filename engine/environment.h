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

// HOMEDRIVE and USERPROFILE of the program's own process: the values the start-up dump was
// made to carry, taken from the process itself, since a value holding a line break prints
// as two lines in the dump and could put a line of its own choosing there. A value that is
// empty, not fully qualified (the home drive may also be a drive alone, "C:"), or that names
// a folder the clean rule refuses as a profile comes back "", so that every location with
// its prefix is missing.
EnvironmentValues environment_values(const std::string& program_folder);

// The command interpreter writes and reads batch files and redirected output in the OEM
// code page: the dump readers and the batch writer convert to and from it.

// The lines of a dump, converted to ANSI; a missing or unreadable dump gives none.
std::vector<std::string> read_dump_lines(const std::string& path);

// command & " > " & the quoted dump name. The batch runs in the program folder, so the folder's
// name never stands in it, where the interpreter would expand "%" and "!" and read "&" or "^".
std::string dump_command(const std::string& command, const std::string& dump_name);

// Writes the one-line batch file (OEM, CR LF), replacing an older one. Raises
// rt::RuntimeError when it cannot be written.
void write_batch_file(const std::string& batch_path, const std::string& command_line);

} // namespace pellmaris
