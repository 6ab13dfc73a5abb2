#pragma once
// Recording fakes for every system seam. Nothing here touches the real system.
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>
#include "runtime/errors.h"
#include "runtime/system.h"

namespace testsupport {

struct FakeDialogs : rt::Dialogs {
    struct Prompt {
        std::string text, title;
        int style;
    };
    std::vector<Prompt> prompts;
    std::deque<int> answers;                 // scripted answers, in order
    int default_answer = rt::vbOK;           // when the script is used up
    // Runs while the box is "open" (the box is modal: timers may tick inside it).
    std::function<void()> while_open;
    std::deque<std::optional<std::string>> input_answers;
    std::vector<Prompt> input_prompts;
    std::vector<POINT> input_places;   // twips, one for each input_box_at

    int message_box(const std::string& text, int style, const std::string& title) override
    {
        prompts.push_back({text, title, style});
        if (while_open)
            while_open();
        if (answers.empty())
            return default_answer;
        int a = answers.front();
        answers.pop_front();
        return a;
    }
    std::optional<std::string> input_box(const std::string& prompt, const std::string& title,
                                         const std::string& default_text) override
    {
        input_prompts.push_back({prompt, title, 0});
        if (input_answers.empty())
            return default_text;
        auto a = input_answers.front();
        input_answers.pop_front();
        return a;
    }
    std::optional<std::string> input_box_at(const std::string& prompt, const std::string& title,
                                            const std::string& default_text, long left, long top) override
    {
        input_places.push_back(POINT{left, top});
        return input_box(prompt, title, default_text);
    }
};

struct FakeProcesses : rt::ProcessStarter {
    struct Start {
        std::string command;
        int style;
        std::string folder;   // the working folder asked for ("" for the caller's)
    };
    // A held program: it runs until the test or its holder ends it (or the test says it ended).
    struct Held {
        std::string command;
        bool running = true;
        int ends = 0;   // how often its holder asked it to end
    };
    std::vector<Start> started;        // every start, held ones too
    std::vector<std::shared_ptr<Held>> held;
    bool fail = false;   // every start raises 53
    void start(const std::string& command_line, int window_style, const std::string& working_folder) override;
    std::unique_ptr<rt::StartedProcess> start_held(const std::string& command_line, int window_style,
                                                   const std::string& working_folder) override;
    // run() records its start like start() and returns these exit codes in order (0 when
    // used up; nothing stands for a process still running at its time-out). Each run takes
    // run_ms before it ends, calling its caller's while_waiting every few milliseconds.
    std::deque<std::optional<unsigned long>> exit_codes;
    std::vector<unsigned long> timeouts;
    unsigned long run_ms = 0;
    std::optional<unsigned long> run(const std::string& command_line, int window_style, unsigned long timeout_ms,
                                     const std::function<void()>& while_waiting) override;
};

// Every file opens unless the test gives it another result.
struct FakeShell : rt::ShellStarter {
    struct Open {
        std::string file;
        int style;
    };
    std::vector<Open> opened;
    std::map<std::string, Result> results;
    Result open(const std::string& file, int window_style) override
    {
        opened.push_back({file, window_style});
        auto it = results.find(file);
        return it == results.end() ? Started : it->second;
    }
};

struct FakeProgramEnd : rt::ProgramEnd {
    int calls = 0;
    void end() override { ++calls; }
};

struct FakeTray : rt::TrayIcon {
    std::vector<std::pair<DWORD, NOTIFYICONDATAW>> calls;
    bool succeed = true;
    bool notify(DWORD message, NOTIFYICONDATAW& data) override
    {
        calls.emplace_back(message, data);
        return succeed;
    }
    // What the shell does when the user presses or releases a button on the icon: the
    // callback, through the window procedure of the icon's window. No icon, no callback.
    void user_action(UINT mouse_message)
    {
        for (auto it = calls.rbegin(); it != calls.rend(); ++it) {
            if (it->first == NIM_DELETE)
                return;
            if (it->first == NIM_ADD && succeed) {
                SendMessageW(it->second.hWnd, rt::kTrayCallbackMessage, it->second.uID, mouse_message);
                return;
            }
        }
    }
};

struct FakeRecycleBin : rt::RecycleBin {
    int64_t bytes = 0, items = 0;
    HRESULT query_result = S_OK, empty_result = S_OK;
    std::vector<std::string> emptied;
    int icon_updates = 0;
    HRESULT query(const std::string&, int64_t& b, int64_t& i) override
    {
        b = bytes;
        i = items;
        return query_result;
    }
    HRESULT empty(HWND, const std::string& root, DWORD) override
    {
        emptied.push_back(root);
        return empty_result;
    }
    void update_icon() override { ++icon_updates; }
};

struct FakeRegistry : rt::StartupRegistry {
    std::vector<std::pair<std::string, std::string>> writes;
    std::vector<std::string> removals;
    bool refuse = false;   // every write and removal raises 70, as a locked key does
    void write(const std::string& name, const std::string& command) override
    {
        writes.emplace_back(name, command);
        if (refuse)
            rt::raise(rt::errPermission);
    }
    void remove(const std::string& name) override
    {
        removals.push_back(name);
        if (refuse)
            rt::raise(rt::errPermission);
    }
};

struct FakeUrlHistory : rt::UrlHistory {
    int calls = 0;
    bool result = true;
    bool clear_history() override
    {
        ++calls;
        return result;
    }
};

struct FakeMemory : rt::MemoryInfo {
    MEMORYSTATUSEX value{};
    MEMORYSTATUSEX status() override { return value; }
};

struct FakeProcessList : rt::ProcessList {
    std::vector<std::string> names;
    std::vector<std::string> executable_names() override { return names; }
};

struct FakeDiskSpace : rt::DiskSpace {
    bool ok = true;
    uint64_t caller = 0, total = 0, free = 0;
    std::vector<std::string> roots;   // every drive asked about
    bool query(const std::string& root, uint64_t& c, uint64_t& t, uint64_t& f) override
    {
        roots.push_back(root);
        c = caller;
        t = total;
        f = free;
        return ok;
    }
};

struct FakeClock : rt::Clock {
    rt::LocalTime time{2026, 12, 9, 14, 5, 30};
    rt::LocalTime now() override { return time; }
};

// A System whose every seam is a fake; the fakes stay reachable after the System is handed over.
struct Fakes {
    FakeDialogs* dialogs = nullptr;
    FakeProcesses* processes = nullptr;
    FakeShell* shell = nullptr;
    FakeProgramEnd* program_end = nullptr;
    FakeTray* tray = nullptr;
    FakeRecycleBin* recycle_bin = nullptr;
    FakeRegistry* registry = nullptr;
    FakeUrlHistory* url_history = nullptr;
    FakeMemory* memory = nullptr;
    FakeProcessList* process_list = nullptr;
    FakeDiskSpace* disk_space = nullptr;
    FakeClock* clock = nullptr;
};
std::unique_ptr<rt::System> make_fake_system(const std::string& program_folder, Fakes& fakes);

} // namespace testsupport
