// The profile and home drive come from the program's own process: a line injected into the
// start-up dump changes nothing, and a value that cannot be a profile cleans nothing.
#include <cstdio>
#include <map>
#include <gtest/gtest.h>
#include "clean_fixture.h"
#include "engine/environment.h"
#include "runtime/system_places.h"
#include "runtime/unicode.h"

using namespace cleantest;

namespace {

class ProfileFromTheProcess : public CleanTest {
protected:
    std::string decoy = dir / "decoy";
    std::map<std::string, std::string> kept;   // path -> bytes that must stay

    void keep(const std::string& path, const std::string& bytes)
    {
        put(path, bytes);
        kept[path] = bytes;
    }

    void expect_kept()
    {
        for (const auto& [path, bytes] : kept) {
            ASSERT_TRUE(exists(path)) << path;
            EXPECT_EQ(testsupport::read_bytes(path), bytes) << path;
        }
    }

    // What the system's program start would do with the recorded start of orvane.bat.
    void run_environment_dump()
    {
        ASSERT_FALSE(fakes.processes->started.empty());
        const auto& recorded = fakes.processes->started[0];
        ASSERT_NE(recorded.command.find("orvane.bat"), std::string::npos) << recorded.command;
        std::wstring command = rt::utf16("cmd.exe /c " + recorded.command);
        const std::wstring folder = rt::utf16(recorded.folder);
        STARTUPINFOW si{};
        si.cb = sizeof si;
        PROCESS_INFORMATION pi{};
        ASSERT_TRUE(CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr,
                                   folder.empty() ? nullptr : folder.c_str(), &si, &pi));
        WaitForSingleObject(pi.hProcess, 60000);
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
    }

    // The start as it runs: the splash's load and two ticks (the dump made for real in
    // between), then a click on FULL CLEAN.
    void start_and_full_clean()
    {
        app = std::make_unique<pellmaris::Program>(testsupport::make_fake_system(program, fakes));
        app->start();
        app->frmSplash.Timer1_Timer();
        run_environment_dump();
        app->frmSplash.Timer2_Timer();
        ASSERT_TRUE(form().is_loaded());
        form().Picture2.on_click();
    }
};

} // namespace

TEST_F(ProfileFromTheProcess, AProfileLineInjectedIntoTheDumpIsIgnored)
{
    const std::string junk_file = junk(profile + "\\AppData\\Local\\Temp\\real.tmp", 7);
    keep(decoy + "\\AppData\\Local\\Temp\\decoy.tmp", "decoy junk");
    keep(decoy + "\\AppData\\Local\\NVIDIA\\DXCache\\shader.bin", "decoy shader");
    keep(decoy + "\\keep.txt", "decoy sentinel");
    environment.set("ZZZ", "x\r\nUSERPROFILE=" + decoy);
    std::remove(in_program("orvane.dat").c_str());

    start_and_full_clean();

    // The attack is in place: the dump's last profile line names the decoy.
    const std::string dump = testsupport::read_bytes(in_program("orvane.dat"));
    ASSERT_NE(dump.rfind("USERPROFILE=" + decoy), std::string::npos) << dump;
    ASSERT_GT(dump.rfind("USERPROFILE=" + decoy), dump.rfind("USERPROFILE=" + profile)) << dump;

    EXPECT_EQ(form().user_profile, profile);
    EXPECT_EQ(form().home_drive, home);
    expect_kept();
    EXPECT_FALSE(exists(junk_file));
    EXPECT_EQ(report_count("          real.tmp"), 1);
}

TEST_F(ProfileFromTheProcess, AProfileNamingTheProgramFolderDeletesNothingInIt)
{
    keep(in_program("AppData\\Local\\Temp\\t.tmp"), "temp below the program");
    keep(in_program("AppData\\Local\\NVIDIA\\DXCache\\g.bin"), "cache below the program");
    keep(in_program("AppData\\Local\\Temp\\sub\\deeper.tmp"), "deeper");
    for (const char* name : {"settings.ini", "PMlist.lst", "pmdb.lst", "info.ini", "sentinel.txt"})
        kept[in_program(name)] = testsupport::read_bytes(in_program(name));
    set_environment(home, program);
    start();
    EXPECT_EQ(form().user_profile, "");
    form().Picture2_Click();
    expect_kept();
    EXPECT_TRUE(exists(in_program("AppData\\Local\\Temp\\sub")));
}

TEST_F(ProfileFromTheProcess, ValuesComeThroughTheWideFunctionsAsUtf8)
{
    const std::string cyrillic = profile + "\\\xd0\x9f\xd1\x80\xd0\xbe\xd1\x84\xd0\xb8\xd0\xbb\xd1\x8c";   // "Профиль"
    set_environment(home, cyrillic);
    const pellmaris::EnvironmentValues values = pellmaris::environment_values(program);
    EXPECT_EQ(values.user_profile, cyrillic);
    EXPECT_EQ(values.home_drive, home);
}

TEST_F(ProfileFromTheProcess, ValuesThatCannotBeAProfileMakeTheirLocationsMissing)
{
    const std::string windows = rt::windows_folder();
    const std::vector<std::string> refused = {
        "", "Users\\me", "C:Users\\me", "\\Users\\me", "C:\\", "S:\\", "\\\\server\\share", "\\\\localhost\\C$\\Users\\me",
        windows, windows + "\\System32", program, program + "\\pellmarisgui", profile + "\\..\\me", profile + ".",
    };
    for (const std::string& value : refused) {
        set_environment(value, value);
        const pellmaris::EnvironmentValues values = pellmaris::environment_values(program);
        EXPECT_EQ(values.user_profile, "") << value;
        EXPECT_EQ(values.home_drive, "") << value;
    }
    // The home drive as Windows sets it, a drive alone, is no profile but a home drive.
    set_environment("C:", "C:");
    EXPECT_EQ(pellmaris::environment_values(program).home_drive, "C:");
    EXPECT_EQ(pellmaris::environment_values(program).user_profile, "");
}
