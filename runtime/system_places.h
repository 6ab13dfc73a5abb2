#pragma once
// The process's own environment and the system's own places, read through the W functions.
#include <optional>
#include <string>
#include <vector>

namespace rt {

// The variable's value in the process environment; nothing when it is unset or has no exact
// UTF-8 form.
std::optional<std::string> environment_variable(const std::string& name);

// The Windows folder ("C:\Windows"); "" when the system gives none.
std::string windows_folder();

// The folder holding the users' profiles, as the system records it; "" when it gives none.
std::string profiles_folder();

// The Program Files folders the system names (each once).
std::vector<std::string> program_files_folders();

// The names this machine answers to on a network: NetBIOS name, DNS host name and fully
// qualified DNS name (those the system knows, each once).
std::vector<std::string> machine_names();

} // namespace rt
