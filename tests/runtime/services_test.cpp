// The real system services that are safe to call inside the test prefix.
#include <windows.h>
#include <gtest/gtest.h>
#include "runtime/errors.h"
#include "runtime/services.h"
#include "runtime/system.h"
#include "support/raised.h"
#include "support/scratch.h"

namespace {

TEST(RealServices, UrlHistoryClearReturnsWithoutCrashing)
{
    rt::System sys;
    bool result = sys.url_history->clear_history();
    SUCCEED() << "ClearHistory returned " << result;
}

TEST(RealServices, ProgramFolderIsTheExesFolder)
{
    rt::System sys;
    char exe[MAX_PATH];
    GetModuleFileNameA(nullptr, exe, MAX_PATH);
    std::string path = exe;
    EXPECT_EQ(sys.program_folder, path.substr(0, path.find_last_of('\\')));
    EXPECT_EQ(sys.path("x.ini"), sys.program_folder + "\\x.ini");
}

TEST(RealServices, MemoryProcessesDiskAndClockReportTheSystem)
{
    rt::System sys;
    MEMORYSTATUSEX m = sys.memory->status();
    EXPECT_GT(m.ullTotalPhys, 0u);
    EXPECT_LE(m.ullAvailPhys, m.ullTotalPhys);

    std::vector<std::string> names = sys.process_list->executable_names();
    char exe[MAX_PATH];
    GetModuleFileNameA(nullptr, exe, MAX_PATH);
    std::string own = exe;
    own = own.substr(own.find_last_of('\\') + 1);
    bool found = false;
    for (const std::string& n : names)
        found = found || _stricmp(n.c_str(), own.c_str()) == 0;
    EXPECT_TRUE(found) << own << " among " << names.size() << " processes";

    testsupport::ScratchDir dir;
    uint64_t caller = 0, total = 0, free = 0;
    EXPECT_TRUE(sys.disk_space->query(dir.path().substr(0, 3), caller, total, free));
    EXPECT_GT(total, 0u);
    EXPECT_FALSE(sys.disk_space->query("Q:\\", caller, total, free));

    rt::LocalTime t = sys.clock->now();
    EXPECT_GE(t.year, 2024);
}

std::string system_folder()
{
    char folder[MAX_PATH];
    GetSystemDirectoryA(folder, MAX_PATH);
    return folder;
}

// A program is never searched for: the command line names it by its full path.
TEST(ProcessStart, EveryProgramIsNamedByItsFullPath)
{
    const std::string sys = system_folder();
    rt::ProgramStart bare = rt::program_start("RunDll32.exe InetCpl.cpl,ClearMyTracksByProcess 16");
    EXPECT_EQ(bare.application, sys + "\\RunDll32.exe");
    EXPECT_EQ(bare.command_line, "\"" + sys + "\\RunDll32.exe\" InetCpl.cpl,ClearMyTracksByProcess 16");
    EXPECT_EQ(rt::program_start("shutdown -f -s -t 00").command_line, "\"" + sys + "\\shutdown.exe\" -f -s -t 00");

    rt::ProgramStart ie = rt::program_start("\"C:\\Program Files\\Internet Explorer\\IEXPLORE.EXE\" https://a.example/");
    EXPECT_EQ(ie.application, "C:\\Program Files\\Internet Explorer\\IEXPLORE.EXE");
    EXPECT_EQ(ie.command_line, "\"C:\\Program Files\\Internet Explorer\\IEXPLORE.EXE\" https://a.example/");

    // Unquoted, this path would run C:\Program or C:\Program.exe.
    EXPECT_EQ(error_of([] { rt::program_start("C:\\Program Files\\Internet Explorer\\IEXPLORE.EXE x"); }), 53);
    EXPECT_EQ(error_of([] { rt::program_start(""); }), 53);

    rt::ProgramStart batch = rt::program_start("\"P:\\my programs\\orvane.bat\"");
    EXPECT_EQ(batch.application, sys + "\\cmd.exe");
    EXPECT_EQ(batch.command_line, "\"" + sys + "\\cmd.exe\" /s /c \"\"P:\\my programs\\orvane.bat\"\"");
}

TEST(RealServices, ABatchFileInAFolderWithBlanksRuns)
{
    testsupport::ScratchDir dir;
    testsupport::make_dirs(dir / "a folder");
    const std::string sentinel = dir / "a folder\\ran.txt";
    testsupport::write_bytes(dir / "a folder\\write it.bat", "@echo off\r\necho ran> \"" + sentinel + "\"\r\n");
    rt::System sys;
    sys.Shell("\"" + dir / "a folder\\write it.bat" + "\"", rt::vbHide);
    for (int i = 0; i < 300 && GetFileAttributesA(sentinel.c_str()) == INVALID_FILE_ATTRIBUTES; ++i)
        Sleep(100);
    EXPECT_NE(GetFileAttributesA(sentinel.c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST(RealServices, StartingAMissingProgramRaises53)
{
    rt::System sys;
    try {
        sys.Shell("S:\\no_such_program_here.exe", rt::vbHide);
        FAIL();
    } catch (const rt::RuntimeError& e) {
        EXPECT_EQ(e.number(), 53);
    }
}

} // namespace

namespace {

std::string run_value(const std::string& name)
{
    char data[512] = "";
    DWORD size = sizeof(data);
    if (RegGetValueA(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Run", name.c_str(),
                     RRF_RT_REG_SZ, nullptr, data, &size) != ERROR_SUCCESS)
        return "<none>";
    return data;
}

// The test prefix's own registry, under a name no program uses, removed at once.
TEST(RealServices, StartupValueIsWrittenAndRemoved)
{
    rt::System sys;
    std::string name = "PellmarisTest" + std::to_string(GetCurrentProcessId());
    sys.startup_registry->write(name, "S:\\nothing\\Pellmaris.exe");
    EXPECT_EQ(run_value(name), "S:\\nothing\\Pellmaris.exe");
    sys.startup_registry->remove(name);
    EXPECT_EQ(run_value(name), "<none>");
    sys.startup_registry->remove(name);   // a missing value is no error
}

} // namespace
