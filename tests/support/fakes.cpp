#include "support/fakes.h"
#include "runtime/errors.h"

namespace testsupport {

void FakeProcesses::start(const std::string& command_line, int window_style, const std::string& working_folder)
{
    started.push_back({command_line, window_style, working_folder});
    if (fail)
        rt::raise(rt::errFileNotFound);
}

namespace {

struct FakeStarted : rt::StartedProcess {
    explicit FakeStarted(std::shared_ptr<FakeProcesses::Held> held) : held(std::move(held)) {}
    bool running() override { return held->running; }
    void end() override
    {
        ++held->ends;
        held->running = false;
    }
    std::shared_ptr<FakeProcesses::Held> held;
};

} // namespace

std::unique_ptr<rt::StartedProcess> FakeProcesses::start_held(const std::string& command_line, int window_style,
                                                             const std::string& working_folder)
{
    start(command_line, window_style, working_folder);
    held.push_back(std::make_shared<Held>(Held{command_line}));
    return std::make_unique<FakeStarted>(held.back());
}

std::optional<unsigned long> FakeProcesses::run(const std::string& command_line, int window_style,
                                                unsigned long timeout_ms, const std::function<void()>& while_waiting)
{
    start(command_line, window_style, "");
    timeouts.push_back(timeout_ms);
    if (!while_waiting)
        Sleep(run_ms);
    for (const ULONGLONG end = GetTickCount64() + run_ms; while_waiting && GetTickCount64() < end;) {
        Sleep(5);
        while_waiting();
    }
    if (exit_codes.empty())
        return 0;
    auto code = exit_codes.front();
    exit_codes.pop_front();
    return code;
}

std::unique_ptr<rt::System> make_fake_system(const std::string& program_folder, Fakes& f)
{
    auto sys = std::make_unique<rt::System>();
    sys->program_folder = program_folder;
    auto set = [](auto& slot, auto*& out, auto fake) {
        out = fake.get();
        slot = std::move(fake);
    };
    set(sys->dialogs, f.dialogs, std::make_unique<FakeDialogs>());
    set(sys->processes, f.processes, std::make_unique<FakeProcesses>());
    set(sys->shell, f.shell, std::make_unique<FakeShell>());
    set(sys->program_end, f.program_end, std::make_unique<FakeProgramEnd>());
    set(sys->tray, f.tray, std::make_unique<FakeTray>());
    set(sys->recycle_bin, f.recycle_bin, std::make_unique<FakeRecycleBin>());
    set(sys->startup_registry, f.registry, std::make_unique<FakeRegistry>());
    set(sys->url_history, f.url_history, std::make_unique<FakeUrlHistory>());
    set(sys->memory, f.memory, std::make_unique<FakeMemory>());
    set(sys->process_list, f.process_list, std::make_unique<FakeProcessList>());
    set(sys->disk_space, f.disk_space, std::make_unique<FakeDiskSpace>());
    set(sys->clock, f.clock, std::make_unique<FakeClock>());
    return sys;
}

} // namespace testsupport
