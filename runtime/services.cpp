// The real system services: thin wrappers over the Win32 calls.
#include <windows.h>
#include <algorithm>
#include <objbase.h>
#include <shellapi.h>
#include <tlhelp32.h>
#include "runtime/errors.h"
#include "runtime/forms_internal.h"
#include "runtime/services.h"
#include "runtime/unicode.h"

namespace rt {

namespace {

struct RealDialogs : Dialogs {
    std::optional<std::string> input_box_at(const std::string& prompt, const std::string& title,
                                            const std::string& default_text, long left, long top) override
    {
        return show_input_box(prompt, title, default_text, POINT{twips_to_pixels_x(left), twips_to_pixels_y(top)});
    }
    int message_box(const std::string& text, int style, const std::string& title) override
    {
        // Modal to the active window of the program, or to the whole thread without one.
        HWND owner = GetActiveWindow();
        UINT flags = static_cast<UINT>(style) | MB_SETFOREGROUND | (owner ? 0u : MB_TASKMODAL);
        return MessageBoxW(owner, wide_text(text).c_str(), wide_text(title).c_str(), flags);
    }
    std::optional<std::string> input_box(const std::string& prompt, const std::string& title,
                                         const std::string& default_text) override
    {
        return show_input_box(prompt, title, default_text);
    }
};

WORD show_command(int window_style)
{
    switch (window_style) {
    case vbHide: return SW_HIDE;
    case vbMinimizedFocus: return SW_SHOWMINIMIZED;
    case vbMaximizedFocus: return SW_SHOWMAXIMIZED;
    case vbNormalNoFocus: return SW_SHOWNOACTIVATE;
    case vbMinimizedNoFocus: return SW_SHOWMINNOACTIVE;
    default: return SW_SHOWNORMAL;
    }
}

std::string system_folder()
{
    wchar_t folder[MAX_PATH] = L"";
    UINT n = GetSystemDirectoryW(folder, MAX_PATH);
    if (n == 0 || n >= MAX_PATH)
        raise(errFileNotFound);
    return utf8_text(folder);
}

std::string lower_ascii(std::string s)
{
    for (char& c : s)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return s;
}

// ".exe" and the like, lower case; "" when the last step has none.
std::string extension_of(const std::string& program)
{
    const size_t dot = program.find_last_of('.');
    const size_t step = program.find_last_of("\\/");
    if (dot == std::string::npos || (step != std::string::npos && dot < step))
        return "";
    return lower_ascii(program.substr(dot));
}

bool names_a_path(const std::string& program) { return program.find_first_of("\\/:") != std::string::npos; }

std::string quoted(const std::string& s) { return "\"" + s + "\""; }

constexpr DWORD kEndWaitMs = 5000;
constexpr DWORD kWaitSliceMs = 10;   // between two calls of a waiting caller's yield

struct HeldProcess : StartedProcess {
    explicit HeldProcess(HANDLE process) : process_(process) {}
    ~HeldProcess() override { CloseHandle(process_); }
    HeldProcess(const HeldProcess&) = delete;
    HeldProcess& operator=(const HeldProcess&) = delete;
    bool running() override { return WaitForSingleObject(process_, 0) == WAIT_TIMEOUT; }
    // Its exit code once it has ended, or nothing when it still runs after timeout_ms.
    std::optional<unsigned long> wait_for_exit(unsigned long timeout_ms,
                                               const std::function<void()>& while_waiting) const
    {
        const ULONGLONG start = GetTickCount64();
        for (;;) {
            const ULONGLONG waited = GetTickCount64() - start;
            const DWORD left = waited >= timeout_ms ? 0 : static_cast<DWORD>(timeout_ms - waited);
            const DWORD slice = while_waiting ? std::min(left, kWaitSliceMs) : left;
            const DWORD result = WaitForSingleObject(process_, slice);
            DWORD code = 0;
            if (result == WAIT_OBJECT_0)
                return GetExitCodeProcess(process_, &code) ? std::optional<unsigned long>(code) : std::nullopt;
            if (result != WAIT_TIMEOUT || left == 0)
                return std::nullopt;
            while_waiting();
        }
    }
    void end() override
    {
        if (!running())
            return;
        TerminateProcess(process_, 1);
        // Only once it is gone has it closed the files it was writing.
        WaitForSingleObject(process_, kEndWaitMs);
    }

private:
    HANDLE process_;
};

struct RealProcesses : ProcessStarter {
    void start(const std::string& command_line, int window_style, const std::string& working_folder) override
    {
        CloseHandle(create(command_line, window_style, working_folder));
    }
    std::unique_ptr<StartedProcess> start_held(const std::string& command_line, int window_style,
                                               const std::string& working_folder) override
    {
        return std::make_unique<HeldProcess>(create(command_line, window_style, working_folder));
    }
    std::optional<unsigned long> run(const std::string& command_line, int window_style, unsigned long timeout_ms,
                                     const std::function<void()>& while_waiting) override
    {
        const HeldProcess process(create(command_line, window_style, ""));
        return process.wait_for_exit(timeout_ms, while_waiting);
    }

private:
    // The new process's handle.
    static HANDLE create(const std::string& command_line, int window_style, const std::string& working_folder)
    {
        const ProgramStart program = program_start(command_line);
        STARTUPINFOW si{};
        si.cb = sizeof(si);
        si.dwFlags = STARTF_USESHOWWINDOW;
        si.wShowWindow = show_command(window_style);
        PROCESS_INFORMATION pi{};
        const std::wstring application = wide_text(program.application);
        std::wstring mutable_line = wide_text(program.command_line);
        const std::wstring folder = wide_text(working_folder);
        if (!CreateProcessW(application.c_str(), mutable_line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                            folder.empty() ? nullptr : folder.c_str(), &si, &pi))
            raise(errFileNotFound);
        CloseHandle(pi.hThread);
        return pi.hProcess;
    }
};

struct RealShell : ShellStarter {
    Result open(const std::string& file, int window_style) override
    {
        const std::wstring wide_file = utf16(file);
        SHELLEXECUTEINFOW info{};
        info.cbSize = sizeof(info);
        // No message of the shell's own: the caller tells the user.
        info.fMask = SEE_MASK_FLAG_NO_UI | SEE_MASK_NOASYNC;
        info.lpVerb = L"open";
        info.lpFile = wide_file.c_str();
        info.nShow = show_command(window_style);
        if (ShellExecuteExW(&info))
            return Started;
        switch (GetLastError()) {
        case ERROR_CANCELLED: return Declined;
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
        case ERROR_BAD_NETPATH:
        case ERROR_INVALID_DRIVE: return NotFound;
        default: return Failed;
        }
    }
};

struct RealProgramEnd : ProgramEnd {
    void end() override
    {
        CoUninitialize();
        ExitProcess(0);
    }
};

// The icon's callbacks arrive as the layer's own message, so that the window hears them
// as a mouse move over its background and never as a move of the pointer.
struct RealTray : TrayIcon {
    bool notify(DWORD message, NOTIFYICONDATAW& data) override
    {
        NOTIFYICONDATAW copy = data;
        copy.uCallbackMessage = kTrayCallbackMessage;
        return Shell_NotifyIconW(message, &copy) != FALSE;
    }
};

// Nothing (every drive) for an empty root.
std::optional<std::wstring> root_or_all(const std::string& root)
{
    return root.empty() ? std::nullopt : std::optional<std::wstring>(wide_text(root));
}
const wchar_t* c_str_or_null(const std::optional<std::wstring>& text) { return text ? text->c_str() : nullptr; }

struct RealRecycleBin : RecycleBin {
    HRESULT query(const std::string& root, int64_t& bytes, int64_t& items) override
    {
        SHQUERYRBINFO info{};
        info.cbSize = sizeof(info);
        HRESULT hr = SHQueryRecycleBinW(c_str_or_null(root_or_all(root)), &info);
        bytes = info.i64Size;
        items = info.i64NumItems;
        return hr;
    }
    HRESULT empty(HWND owner, const std::string& root, DWORD flags) override
    {
        return SHEmptyRecycleBinW(owner, c_str_or_null(root_or_all(root)), flags);
    }
    void update_icon() override
    {
        using UpdateIcon = void(WINAPI*)();
        HMODULE shell = LoadLibraryW(L"shell32.dll");
        if (!shell)
            return;
        if (auto f = reinterpret_cast<UpdateIcon>(reinterpret_cast<void*>(GetProcAddress(shell, "SHUpdateRecycleBinIcon"))))
            f();
        FreeLibrary(shell);
    }
};

const wchar_t* const kRunKey = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";

struct RealStartupRegistry : StartupRegistry {
    void write(const std::string& name, const std::string& command) override
    {
        HKEY key = nullptr;
        if (RegCreateKeyExW(HKEY_CURRENT_USER, kRunKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) !=
            ERROR_SUCCESS)
            raise(errPermission);
        const std::wstring value = wide_text(command);
        LONG rc = RegSetValueExW(key, wide_text(name).c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                                 static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
        RegCloseKey(key);
        if (rc != ERROR_SUCCESS)
            raise(errPermission);
    }
    void remove(const std::string& name) override
    {
        HKEY key = nullptr;
        LONG rc = RegOpenKeyExW(HKEY_CURRENT_USER, kRunKey, 0, KEY_SET_VALUE, &key);
        if (rc == ERROR_SUCCESS) {
            rc = RegDeleteValueW(key, wide_text(name).c_str());
            RegCloseKey(key);
        }
        // No key or no value: there is nothing to remove.
        if (rc != ERROR_SUCCESS && rc != ERROR_FILE_NOT_FOUND)
            raise(errPermission);
    }
};

// IUrlHistoryStg2, declared by its vtable: IUnknown, IUrlHistoryStg, then IUrlHistoryStg2.
struct UrlHistoryStg2;
struct UrlHistoryStg2Vtbl {
    HRESULT(STDMETHODCALLTYPE* QueryInterface)(UrlHistoryStg2*, REFIID, void**);
    ULONG(STDMETHODCALLTYPE* AddRef)(UrlHistoryStg2*);
    ULONG(STDMETHODCALLTYPE* Release)(UrlHistoryStg2*);
    void* AddUrl;
    void* DeleteUrl;
    void* QueryUrl;
    void* BindToObject;
    void* EnumUrls;
    void* AddUrlAndNotify;
    HRESULT(STDMETHODCALLTYPE* ClearHistory)(UrlHistoryStg2*);
};
struct UrlHistoryStg2 {
    const UrlHistoryStg2Vtbl* vtbl;
};

const CLSID kUrlHistoryClass = {0x3C374A40, 0xBAE4, 0x11CF, {0xBF, 0x7D, 0x00, 0xAA, 0x00, 0x69, 0x46, 0xEE}};
const IID kUrlHistoryStg2 = {0xAFA0DC11, 0xC313, 0x11D0, {0x83, 0x1A, 0x00, 0xC0, 0x4F, 0xD5, 0xAE, 0x38}};

struct RealUrlHistory : UrlHistory {
    bool clear_history() override
    {
        UrlHistoryStg2* history = nullptr;
        if (FAILED(CoCreateInstance(kUrlHistoryClass, nullptr, CLSCTX_INPROC_SERVER, kUrlHistoryStg2,
                                    reinterpret_cast<void**>(&history))) ||
            !history)
            return false;
        HRESULT hr = history->vtbl->ClearHistory(history);
        history->vtbl->Release(history);
        return SUCCEEDED(hr);
    }
};

struct RealMemory : MemoryInfo {
    MEMORYSTATUSEX status() override
    {
        MEMORYSTATUSEX m{};
        m.dwLength = sizeof(m);
        GlobalMemoryStatusEx(&m);
        return m;
    }
};

struct RealProcessList : ProcessList {
    std::vector<std::string> executable_names() override
    {
        std::vector<std::string> names;
        HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
        if (snapshot == INVALID_HANDLE_VALUE)
            return names;
        PROCESSENTRY32W entry{};
        entry.dwSize = sizeof(entry);
        for (BOOL more = Process32FirstW(snapshot, &entry); more; more = Process32NextW(snapshot, &entry))
            names.push_back(utf8_text(entry.szExeFile));
        CloseHandle(snapshot);
        return names;
    }
};

struct RealDiskSpace : DiskSpace {
    bool query(const std::string& root, uint64_t& free_to_caller, uint64_t& total, uint64_t& free) override
    {
        ULARGE_INTEGER caller{}, all{}, available{};
        if (!GetDiskFreeSpaceExW(wide_text(root).c_str(), &caller, &all, &available))
            return false;
        free_to_caller = caller.QuadPart;
        total = all.QuadPart;
        free = available.QuadPart;
        return true;
    }
};

struct RealClock : Clock {
    LocalTime now() override
    {
        SYSTEMTIME t;
        GetLocalTime(&t);
        return LocalTime{t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond};
    }
};

} // namespace

ProgramStart program_start(const std::string& command_line)
{
    const size_t start = command_line.find_first_not_of(' ');
    if (start == std::string::npos)
        raise(errFileNotFound);
    std::string program, rest;
    if (command_line[start] == '"') {
        const size_t close = command_line.find('"', start + 1);
        if (close == std::string::npos || close == start + 1)
            raise(errFileNotFound);
        program = command_line.substr(start + 1, close - start - 1);
        rest = command_line.substr(close + 1);
    } else {
        const size_t blank = command_line.find(' ', start);
        program = command_line.substr(start, blank == std::string::npos ? std::string::npos : blank - start);
        rest = blank == std::string::npos ? std::string() : command_line.substr(blank);
        if (names_a_path(program)) {
            const std::string extension = extension_of(program);
            if (extension != ".exe" && extension != ".com" && extension != ".bat" && extension != ".cmd")
                raise(errFileNotFound);
        }
    }
    if (!names_a_path(program)) {
        if (program.find_first_of("*?\"<>|") != std::string::npos || program == "." || program == "..")
            raise(errFileNotFound);
        program = system_folder() + "\\" + program + (extension_of(program).empty() ? ".exe" : "");
    }
    const std::string extension = extension_of(program);
    if (extension == ".bat" || extension == ".cmd") {
        const std::string interpreter = system_folder() + "\\cmd.exe";
        return {interpreter, quoted(interpreter) + " /s /c " + quoted(quoted(program) + rest)};
    }
    return {program, quoted(program) + rest};
}

std::unique_ptr<Dialogs> make_real_dialogs() { return std::make_unique<RealDialogs>(); }
std::unique_ptr<ProcessStarter> make_real_processes() { return std::make_unique<RealProcesses>(); }
std::unique_ptr<ShellStarter> make_real_shell() { return std::make_unique<RealShell>(); }
std::unique_ptr<ProgramEnd> make_real_program_end() { return std::make_unique<RealProgramEnd>(); }
std::unique_ptr<TrayIcon> make_real_tray() { return std::make_unique<RealTray>(); }
std::unique_ptr<RecycleBin> make_real_recycle_bin() { return std::make_unique<RealRecycleBin>(); }
std::unique_ptr<StartupRegistry> make_real_startup_registry() { return std::make_unique<RealStartupRegistry>(); }
std::unique_ptr<UrlHistory> make_real_url_history() { return std::make_unique<RealUrlHistory>(); }
std::unique_ptr<MemoryInfo> make_real_memory() { return std::make_unique<RealMemory>(); }
std::unique_ptr<ProcessList> make_real_process_list() { return std::make_unique<RealProcessList>(); }
std::unique_ptr<DiskSpace> make_real_disk_space() { return std::make_unique<RealDiskSpace>(); }
std::unique_ptr<Clock> make_real_clock() { return std::make_unique<RealClock>(); }

} // namespace rt
