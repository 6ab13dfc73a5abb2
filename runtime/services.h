#pragma once
// The real system services behind the seams of System.
#include <memory>
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

// The text-entry dialog of input_box, made in code.
std::optional<std::string> show_input_box(const std::string& prompt, const std::string& title,
                                          const std::string& default_text);

} // namespace rt
