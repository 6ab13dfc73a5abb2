#pragma once
// Decisions behind the main window's links, kept free of windows so they can be checked alone.
#include <optional>
#include <string>
#include "common/settings_file.h"

namespace pellmaris {

// What a password-gated link opens.
enum class GateChoice { Nothing, PasswordPrompt, Window };

// Password protection on/off and the area's own protection, as the numbers read from their
// lines (nothing for a non-number): (1, 1) asks for the password, (0, 0) and (1, 0) open the
// window, anything else opens nothing, so a damaged line never opens a locked window.
GateChoice gate_choice(std::optional<double> password_protect, std::optional<double> area_protected);
GateChoice settings_gate(const Settings& settings);   // lines 15 and 16
GateChoice tools_gate(const Settings& settings);      // lines 15 and 17

// The web address of the last two-line record of the web link file; empty when the file
// is missing or its last record is short.
std::string last_web_address(const std::string& web_links_path);

// An "http://" or "https://" address that the browser gets as one argument. Anything else
// (a program, a file, another scheme) is never opened: the default browser's hand-over
// would run a local program.
bool is_web_address(const std::string& address);

// The command that opens an address: the browser of old (its path quoted) when it is
// installed, otherwise the user's default browser.
std::string browser_command(const std::string& address, bool classic_browser_present);

} // namespace pellmaris
