#pragma once
// The real system services behind the seams of System.
#include <windows.h>
#include <memory>
#include <optional>
#include <string>
#include "runtime/system.h"

namespace rt {

std::unique_ptr<Dialogs> make_real_dialogs();
std::unique_ptr<ProcessStarter> make_real_processes();
std::unique_ptr<ShellStarter> make_real_shell();
std::unique_ptr<ProgramEnd> make_real_program_end();
std::unique_ptr<TrayIcon> make_real_tray();
std::unique_ptr<RecycleBin> make_real_recycle_bin();
std::unique_ptr<StartupRegistry> make_real_startup_registry();
std::unique_ptr<UrlHistory> make_real_url_history();
std::unique_ptr<MemoryInfo> make_real_memory();
std::unique_ptr<ProcessList> make_real_process_list();
std::unique_ptr<DiskSpace> make_real_disk_space();
std::unique_ptr<Clock> make_real_clock();

// How the real process starter runs a command line: the program is named by its full
// path, so Windows never searches the current or any other folder for it.
struct ProgramStart {
    std::string application;    // the program's full path
    std::string command_line;   // the command line, the program quoted at its head
};
// A quoted program stands as written. A bare name ("RunDll32.exe", "shutdown") is the
// system folder's program, ".exe" added when it has no extension. An unquoted path ends
// at the first blank and must name a program (.exe, .com, .bat, .cmd), or the start is
// refused with 53: "C:\Program Files\x.exe" unquoted never runs "C:\Program". A batch file
// runs through the system folder's command interpreter.
ProgramStart program_start(const std::string& command_line);

// The text-entry dialog of input_box, made in code: at the given top-left corner
// (pixels), or placed by itself.
std::optional<std::string> show_input_box(const std::string& prompt, const std::string& title,
                                          const std::string& default_text,
                                          std::optional<POINT> place = std::nullopt);

} // namespace rt
