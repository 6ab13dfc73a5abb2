#include "e2e/real_program.h"
#include <algorithm>
#include <cwctype>
#include <stdexcept>
#include "runtime/filesys.h"
#include "runtime/unicode.h"
#include "support/scratch.h"

namespace e2e {

namespace {

constexpr DWORD kSettleMs = 250;   // for the program to take in what the input did

std::wstring wide(const std::string& path) { return rt::wide_path(path); }

std::vector<std::pair<std::string, DWORD>> entries_of(const std::string& folder)
{
    std::vector<std::pair<std::string, DWORD>> found;
    WIN32_FIND_DATAW data;
    HANDLE h = FindFirstFileW(wide(folder + "\\*").c_str(), &data);
    if (h == INVALID_HANDLE_VALUE)
        return found;
    do {
        const std::string name = rt::utf8(data.cFileName);
        if (name != "." && name != "..")
            found.emplace_back(name, data.dwFileAttributes);
    } while (FindNextFileW(h, &data));
    FindClose(h);
    return found;
}

void copy_tree(const std::string& from, const std::string& to)
{
    testsupport::make_dirs(to);
    for (const auto& [name, attributes] : entries_of(from)) {
        if (attributes & FILE_ATTRIBUTE_DIRECTORY)
            copy_tree(from + "\\" + name, to + "\\" + name);
        else if (!CopyFileW(wide(from + "\\" + name).c_str(), wide(to + "\\" + name).c_str(), FALSE))
            throw std::runtime_error("cannot copy " + from + "\\" + name);
    }
}

bool same_name(const std::wstring& a, const std::string& b)
{
    const std::wstring w = rt::utf16(b);
    if (a.size() != w.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::towlower(a[i]) != std::towlower(w[i]))
            return false;
    return true;
}

std::wstring class_of(HWND window)
{
    wchar_t name[64] = L"";
    GetClassNameW(window, name, 64);
    return name;
}

// This process's environment with the variables replaced (or added), as CreateProcessW takes it.
std::wstring environment_block(const Variables& variables)
{
    std::vector<std::wstring> entries;
    wchar_t* strings = GetEnvironmentStringsW();
    for (const wchar_t* p = strings; *p; p += wcslen(p) + 1) {
        const std::wstring entry = p;
        bool replaced = false;
        for (const auto& [name, value] : variables) {
            const std::wstring prefix = rt::utf16(name + "=");
            replaced = replaced || (entry.size() >= prefix.size() && _wcsnicmp(entry.c_str(), prefix.c_str(), prefix.size()) == 0);
        }
        if (!replaced)
            entries.push_back(entry);
    }
    FreeEnvironmentStringsW(strings);
    for (const auto& [name, value] : variables)
        entries.push_back(rt::utf16(name + "=" + value));
    std::wstring block;
    for (const auto& entry : entries)
        block += entry + L'\0';
    return block + L'\0';
}

// The pointer to a point of the screen, as the mouse moves it.
void move_pointer(POINT screen)
{
    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = (screen.x * 65536 + width - 1) / width;
    input.mi.dy = (screen.y * 65536 + height - 1) / height;
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &input, sizeof input);
}

void press_left_button()
{
    INPUT inputs[2]{};
    inputs[0].type = inputs[1].type = INPUT_MOUSE;
    inputs[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, inputs, sizeof inputs[0]);
}

// The window's top-level window stays above every other (other tests' windows may share the
// screen) while the pointer is at work.
class OnTop {
public:
    explicit OnTop(HWND window) : top_(GetAncestor(window, GA_ROOT))
    {
        SetWindowPos(top_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        SetForegroundWindow(top_);
    }
    ~OnTop() { SetWindowPos(top_, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE); }
    OnTop(const OnTop&) = delete;
    OnTop& operator=(const OnTop&) = delete;

private:
    HWND top_;
};

// The pointer moves to the point; false when it does not get there or the window is not
// the one under it. It comes from a pixel beside the point each time: a pointer that is
// already there makes no move, and a program that was busy may have taken a stale position
// for its last one (under Wine, the move of a window appearing under the pointer).
bool point_at(HWND window, POINT client_point)
{
    POINT screen = client_point;
    ClientToScreen(window, &screen);
    for (int attempt = 0; attempt < 5; ++attempt) {
        move_pointer(POINT{screen.x + 1, screen.y + 1});
        Sleep(kSettleMs / 5);
        move_pointer(screen);
        Sleep(kSettleMs);
        POINT at{};
        GetCursorPos(&at);
        if (at.x == screen.x && at.y == screen.y && WindowFromPoint(screen) == window)
            return true;
    }
    return false;
}

// The button going down and up at the point, posted to the control's own window: no other
// window on the shared screen can take it.
bool post_click(HWND window, POINT client_point)
{
    const LPARAM at = MAKELPARAM(client_point.x, client_point.y);
    const bool posted = PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, at) && PostMessageW(window, WM_LBUTTONUP, 0, at);
    Sleep(kSettleMs);
    return posted;
}

} // namespace

std::vector<std::string> copy_stage(const std::string& folder)
{
    const std::string stage = testsupport::stage_folder();
    copy_tree(stage, folder);
    std::vector<std::string> names;
    for (const auto& entry : entries_of(stage))
        names.push_back(entry.first);
    return names;
}

std::vector<std::pair<std::string, std::string>> files_below(const std::string& folder)
{
    std::vector<std::pair<std::string, std::string>> files;
    for (const auto& [name, attributes] : entries_of(folder)) {
        const std::string path = folder + "\\" + name;
        if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
            files.emplace_back(name, testsupport::read_bytes(path));
            continue;
        }
        for (auto& [below, bytes] : files_below(path))
            files.emplace_back(name + "\\" + below, std::move(bytes));
    }
    return files;
}

RealProgram::RealProgram(const std::string& folder, const Variables& variables)
{
    const std::wstring exe = wide(folder + "\\Pellmaris.exe");
    std::wstring command_line = L"\"" + rt::utf16(folder + "\\Pellmaris.exe") + L"\"";
    std::wstring environment = environment_block(variables);
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    // Without a console of this test's: the batch files it starts get their own, hidden.
    if (!CreateProcessW(exe.c_str(), command_line.data(), nullptr, nullptr, FALSE,
                        CREATE_UNICODE_ENVIRONMENT | DETACHED_PROCESS,
                        environment.data(), rt::utf16(folder).c_str(), &si, &pi))
        return;
    CloseHandle(pi.hThread);
    process_ = pi.hProcess;
    id_ = pi.dwProcessId;
}

RealProgram::~RealProgram()
{
    kill();
    if (process_)
        CloseHandle(process_);
}

bool RealProgram::running() const { return process_ && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT; }

bool RealProgram::wait_for_exit(DWORD ms) const { return !process_ || WaitForSingleObject(process_, ms) == WAIT_OBJECT_0; }

void RealProgram::kill()
{
    if (!running())
        return;
    TerminateProcess(process_, 1);
    WaitForSingleObject(process_, 10000);
}

std::vector<HWND> RealProgram::windows() const
{
    struct Search {
        DWORD id;
        std::vector<HWND> found;
    } search{id_, {}};
    EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
            auto* s = reinterpret_cast<Search*>(data);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner == s->id && IsWindowVisible(window))
                s->found.push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND RealProgram::wait_for_window(const std::string& caption, DWORD ms, bool prefix) const
{
    HWND found = nullptr;
    wait_until(
        [&] {
            for (HWND window : windows()) {
                if (class_of(window) == L"#32770")
                    continue;   // a message box is no window of the program's own
                const std::string text = text_of(window);
                if (text == caption || (prefix && text.rfind(caption, 0) == 0))
                    found = window;
            }
            return found != nullptr;
        },
        ms);
    return found;
}

HWND RealProgram::wait_for_message_box(const std::string& text, DWORD ms) const
{
    HWND found = nullptr;
    wait_until(
        [&] {
            for (HWND window : windows())
                if (class_of(window) == L"#32770" && child_with_text(window, text))
                    found = window;
            return found != nullptr;
        },
        ms);
    return found;
}

std::string RealProgram::visible_windows() const
{
    std::string captions;
    for (HWND window : windows()) {
        captions += "[" + text_of(window);
        if (class_of(window) == L"#32770")   // a message box: its text too
            for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
                if (class_of(child) == L"Static")
                    captions += " | " + text_of(child);
        captions += "] ";
    }
    return captions;
}

Layout::Layout(const std::string& folder)
{
    testsupport::make_dirs(folder);
    for (const char* name : {"settings.ini", "pmdb.lst", "info.ini"})
        CopyFileW(wide(testsupport::stage_folder() + "\\" + name).c_str(), wide(folder + "\\" + name).c_str(), FALSE);
    app_ = std::make_unique<pellmaris::Program>(testsupport::make_fake_system(folder, fakes_));
}

POINT middle_of(rt::Control& model)
{
    model.Parent().Load();
    const RECT r = model.pixel_rect();
    return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

bool hover(HWND window, POINT client_point)
{
    OnTop on_top(window);
    return point_at(window, client_point);
}

bool click(HWND window, POINT client_point)
{
    OnTop on_top(window);
    if (!point_at(window, client_point))
        return false;
    press_left_button();
    Sleep(kSettleMs);
    return true;
}

bool click(HWND child)
{
    RECT r{};
    GetClientRect(child, &r);
    return post_click(child, POINT{r.right / 2, r.bottom / 2});
}

bool click_list_row(HWND list, const std::string& text)
{
    const LRESULT count = SendMessageW(list, LB_GETCOUNT, 0, 0);
    for (LRESULT row = 0; row < count; ++row) {
        std::wstring shown(static_cast<size_t>(SendMessageW(list, LB_GETTEXTLEN, row, 0)) + 1, L'\0');
        shown.resize(static_cast<size_t>(SendMessageW(list, LB_GETTEXT, row, reinterpret_cast<LPARAM>(shown.data()))));
        if (shown != rt::utf16(text))
            continue;
        SendMessageW(list, LB_SETTOPINDEX, row, 0);
        const LRESULT top = SendMessageW(list, LB_GETTOPINDEX, 0, 0);
        const LRESULT height = SendMessageW(list, LB_GETITEMHEIGHT, 0, 0);
        RECT client{};
        GetClientRect(list, &client);
        return post_click(list, POINT{client.right / 2, static_cast<LONG>((row - top) * height + height / 2)});
    }
    return false;
}

HWND child_with_text(HWND parent, const std::string& text)
{
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (text_of(child) == text)
            return child;
    return nullptr;
}

std::vector<HWND> children_of_class(HWND parent, const std::string& class_name)
{
    std::vector<HWND> found;
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (same_name(class_of(child), class_name))
            found.push_back(child);
    std::sort(found.begin(), found.end(), [](HWND a, HWND b) {
        RECT ra{}, rb{};
        GetWindowRect(a, &ra);
        GetWindowRect(b, &rb);
        return ra.left < rb.left;
    });
    return found;
}

std::string text_of(HWND window)
{
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return rt::utf8(text);
}

} // namespace e2e
