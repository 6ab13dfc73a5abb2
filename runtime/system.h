#pragma once
// The system services the windows use, each behind a seam that tests replace.
#include <windows.h>
#include <shellapi.h>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>
#include "runtime/text.h"

namespace rt {

// Window styles of a started program.
enum WindowStyle : int {
    vbHide = 0,
    vbNormalFocus = 1,
    vbMinimizedFocus = 2,
    vbMaximizedFocus = 3,
    vbNormalNoFocus = 4,
    vbMinimizedNoFocus = 6,
};

// Message box buttons, icons and answers.
enum MsgBoxStyle : int {
    vbOKOnly = 0,
    vbOKCancel = 1,
    vbYesNo = 4,
    vbCritical = 16,
    vbQuestion = 32,
    vbExclamation = 48,
    vbInformation = 64,
};
enum MsgBoxResult : int { vbOK = 1, vbCancel = 2, vbYes = 6, vbNo = 7 };

struct Dialogs {
    virtual ~Dialogs() = default;
    virtual int message_box(const std::string& text, int style, const std::string& title) = 0;
    // Nothing when the user cancels.
    virtual std::optional<std::string> input_box(const std::string& prompt, const std::string& title,
                                                 const std::string& default_text) = 0;
    // The same, with the box's top-left corner at a place on the screen (twips).
    virtual std::optional<std::string> input_box_at(const std::string& prompt, const std::string& title,
                                                    const std::string& default_text, long /*left*/, long /*top*/)
    {
        return input_box(prompt, title, default_text);
    }
};

// A program that was started and is still held: it can be watched and ended.
struct StartedProcess {
    virtual ~StartedProcess() = default;   // lets go of it; the program goes on
    virtual bool running() = 0;
    // Ends it and waits a few seconds at most for it to be gone; nothing when it has ended.
    virtual void end() = 0;
};

struct ProcessStarter {
    virtual ~ProcessStarter() = default;
    // Starts the command line and does not wait; raises 53 when it cannot be started. The
    // program's working folder is `working_folder`, or this process's own when it is "".
    virtual void start(const std::string& command_line, int window_style, const std::string& working_folder) = 0;
    // Starts the command line the same way and keeps hold of the program; raises 53 when
    // it cannot be started.
    virtual std::unique_ptr<StartedProcess> start_held(const std::string& command_line, int window_style,
                                                       const std::string& working_folder) = 0;
    // Starts the command line and waits at most timeout_ms for its end, calling while_waiting
    // every few milliseconds meanwhile (a caller that must keep its windows answering yields
    // there): its exit code, or nothing when it still runs then. Raises 53 when it cannot be
    // started.
    virtual std::optional<unsigned long> run(const std::string& command_line, int window_style,
                                             unsigned long timeout_ms,
                                             const std::function<void()>& while_waiting = {}) = 0;
};

// Opens program files through the shell ("open" verb), so that a program that needs
// elevation raises the system's prompt. Never waits for the program.
struct ShellStarter {
    enum Result { Started, Declined, NotFound, Failed };
    virtual ~ShellStarter() = default;
    // Declined: the user said no to the elevation prompt. NotFound: no such file or folder.
    virtual Result open(const std::string& file, int window_style) = 0;
};

struct ProgramEnd {
    virtual ~ProgramEnd() = default;
    virtual void end() = 0;   // ends the program at once
};

// The icon's callbacks reach its window as this message, the mouse message in lParam,
// whatever callback message the record names; the window hears them as a mouse move.
inline constexpr UINT kTrayCallbackMessage = WM_APP + 0x52;

struct TrayIcon {
    virtual ~TrayIcon() = default;
    virtual bool notify(DWORD message, NOTIFYICONDATAW& data) = 0;  // Shell_NotifyIconW
};

struct RecycleBin {
    virtual ~RecycleBin() = default;
    virtual HRESULT query(const std::string& root, int64_t& bytes, int64_t& items) = 0;
    virtual HRESULT empty(HWND owner, const std::string& root, DWORD flags) = 0;
    virtual void update_icon() = 0;
};

struct StartupRegistry {
    virtual ~StartupRegistry() = default;
    // The per-user Run value of the program: written, or deleted (a missing value is no
    // error). Raises 70 when the registry refuses either.
    virtual void write(const std::string& name, const std::string& command) = 0;
    virtual void remove(const std::string& name) = 0;
};

struct UrlHistory {
    virtual ~UrlHistory() = default;
    // True when the history object was created and its ClearHistory succeeded.
    virtual bool clear_history() = 0;
};

struct MemoryInfo {
    virtual ~MemoryInfo() = default;
    virtual MEMORYSTATUSEX status() = 0;
};

struct ProcessList {
    virtual ~ProcessList() = default;
    virtual std::vector<std::string> executable_names() = 0;
};

struct DiskSpace {
    virtual ~DiskSpace() = default;
    // False when the drive cannot be read.
    virtual bool query(const std::string& root, uint64_t& free_to_caller, uint64_t& total, uint64_t& free) = 0;
};

struct Clock {
    virtual ~Clock() = default;
    virtual LocalTime now() = 0;
};

// Everything one run of the program shares with the system. A test builds its own.
class System {
public:
    System();   // the real services, program folder = the exe's folder
    ~System();

    std::unique_ptr<Dialogs> dialogs;
    std::unique_ptr<ProcessStarter> processes;
    std::unique_ptr<ShellStarter> shell;
    std::unique_ptr<ProgramEnd> program_end;
    std::unique_ptr<TrayIcon> tray;
    std::unique_ptr<RecycleBin> recycle_bin;
    std::unique_ptr<StartupRegistry> startup_registry;
    std::unique_ptr<UrlHistory> url_history;
    std::unique_ptr<MemoryInfo> memory;
    std::unique_ptr<ProcessList> process_list;
    std::unique_ptr<DiskSpace> disk_space;
    std::unique_ptr<Clock> clock;

    // The program folder, without a trailing backslash, so that names are joined to it with
    // one ("P:" for the root of P:, never the current directory); rt::folder_path names it
    // as a folder.
    std::string program_folder;
    // The Windows folder whose known junk the clean rule allows (the system's; tests give
    // a scratch one).
    std::string windows_folder;
    // The program folder & "\" & name.
    std::string path(const std::string& file_name) const;

    // Called after every yield; tests use it to act while a long operation runs.
    std::function<void()> yield_hook;

    int MsgBox(const std::string& text, int style = vbOKOnly, const std::string& title = "");
    void Shell(const std::string& command_line, int window_style);
    // Starts a batch file of the program folder by its bare name, in the program folder as its
    // working folder: nothing of the folder's name passes the command interpreter, which would
    // expand "%" (and "!") in it and split it at "&", "^" or ")". Raises 53 when it cannot start.
    void ShellBatch(const std::string& batch_name, int window_style);
    std::unique_ptr<StartedProcess> ShellBatchHeld(const std::string& batch_name, int window_style);
    void End();
    // Processes every pending message, then runs the yield hook. A quit posted meanwhile
    // is kept for the outer loop.
    void DoEvents();
    // The yield of a loop that goes file by file: the messages are processed only when a few
    // milliseconds have passed since they last were (under Wine each look at the queue is a
    // round trip to its server, which doubled the cost of a file), the yield hook every time.
    void DoEventsWhenDue();
    // The yield of a long operation that takes no input: on the same schedule, the windows
    // repaint and the messages that other threads send (a hang test's WM_NULL among them)
    // are answered; input, timers and posted messages wait in the queue until it has ended.
    // The yield hook runs every time.
    void AnswerWhenDue();

    static std::string exe_path();     // the program file's full path
    static std::string exe_folder();
    // The folder of the program file at `exe_path`, as program_folder holds it.
    static std::string folder_of(const std::string& exe_path);

private:
    void run_yield_hook();
    bool messages_due() const;
    bool in_yield_hook_ = false;
    uint64_t messages_processed_at_ = 0;   // tick count
};

// The program's title and version.
inline constexpr const char* AppTitle = "Pellmaris";
struct Version { int major, minor, revision; };
Version app_version();
std::string version_text();  // "major.minor.revision"

} // namespace rt
