#include "common/user_locations.h"
#include <windows.h>
#include <gtest/gtest.h>
#include "support/scratch.h"

using pellmaris::may_be_cleaned;

namespace {

const std::string kProgram = "P:\\stage";

std::string windows_folder()
{
    char buf[MAX_PATH];
    GetWindowsDirectoryA(buf, MAX_PATH);
    return buf;
}

void expect_refused(const std::vector<std::string>& paths, const std::string& program = kProgram)
{
    for (const auto& p : paths)
        EXPECT_FALSE(may_be_cleaned(p, program)) << "should refuse: " << p;
}

void expect_allowed(const std::vector<std::string>& paths, const std::string& program = kProgram)
{
    for (const auto& p : paths)
        EXPECT_TRUE(may_be_cleaned(p, program)) << "should allow: " << p;
}

} // namespace

TEST(MayBeCleaned, RefusesPathsThatAreNotFullyQualified)
{
    expect_refused({"", " ", "Temp\\", "\\Temp\\", "C:Temp", "C:", "\\\\server", "\\\\server\\",
                    "\\\\?\\C:\\Temp\\", "\\\\.\\C:\\Temp", "S:\\Temp\\*", "S:\\Temp\\a?.log", "1:\\x"});
}

TEST(MayBeCleaned, RefusesRootsHoweverWritten)
{
    expect_refused({"C:\\", "c:\\\\", "C:\\\\\\", "C:/", "S:\\", "S:\\Temp\\..", "S:\\Temp\\..\\..\\",
                    "S:\\.\\", "\\\\server\\share", "\\\\server\\share\\", "\\\\SERVER\\share\\\\"});
    expect_allowed({"S:\\Temp\\", "S:\\Temp", "\\\\server\\share\\cache\\", "S:\\a\\..\\b\\"});
}

TEST(MayBeCleaned, RefusesTheWindowsFolderButNotItsSubFolders)
{
    std::string win = windows_folder();
    std::string lower = win;
    for (char& c : lower)
        c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
    expect_refused({win, win + "\\", lower + "\\\\", win + "\\system32\\..", win + "\\.\\", win + ".",
                    win.substr(0, 3) + "Temp\\..\\" + win.substr(3)});
    expect_allowed({win + "\\Temp\\", win + "\\Logs\\x.log"});
}

TEST(MayBeCleaned, RefusesProgramFilesFoldersOnAnyDrive)
{
    expect_refused({"C:\\Program Files", "C:\\program files\\", "D:\\Program Files (x86)\\", "S:\\PROGRAM FILES"});
    char env[MAX_PATH];
    if (GetEnvironmentVariableA("ProgramFiles", env, MAX_PATH))
        expect_refused({env, std::string(env) + "\\"});
    char short_name[MAX_PATH];
    if (GetShortPathNameA("C:\\Program Files", short_name, MAX_PATH))
        expect_refused({short_name});
    expect_allowed({"C:\\Program Files\\App\\Cache\\", "S:\\Program Files Old\\"});

    SetEnvironmentVariableA("ProgramFiles", "S:\\Apps");
    SetEnvironmentVariableA("ProgramW6432", "S:\\Apps64");
    expect_refused({"S:\\apps\\", "S:\\Apps64"});
    expect_allowed({"S:\\Apps\\Vendor\\Temp\\"});
}

TEST(MayBeCleaned, RefusesProfileFoldersAndTheFolderHoldingThem)
{
    testsupport::ScratchDir dir;
    testsupport::make_dirs(dir / "Users\\bob\\AppData\\Local\\Temp");
    SetEnvironmentVariableA("USERPROFILE", (dir / "Users\\bob").c_str());
    expect_refused({dir / "Users\\bob", dir / "Users\\BOB\\", dir / "users\\Public", dir / "Users\\alice\\",
                    dir / "Users", dir.path()});
    expect_allowed({dir / "Users\\bob\\AppData\\Local\\Temp\\", dir / "Users\\alice\\Cache\\",
                    dir / "Other\\bob\\"});
}

TEST(MayBeCleaned, RefusesTheProgramFolderEverythingInItAndEveryFolderAboveIt)
{
    std::string program = "S:\\a\\b\\prog";
    expect_refused({"S:\\a\\b\\prog", "s:\\A\\B\\PROG\\", "S:\\a\\b", "S:\\a\\\\", "S:\\a\\b\\prog\\sub\\..",
                    "S:\\a\\b\\prog\\cache\\", "S:\\a\\b\\prog\\settings.ini"},
                   program);
    expect_allowed({"S:\\a\\c\\", "S:\\a\\b\\prog2\\"}, program);
    // A program folder given with a trailing backslash is the same folder.
    expect_refused({"S:\\a\\b\\prog"}, program + "\\");
    // An unknown program folder does not open up the other refusals.
    expect_refused({"C:\\", windows_folder()}, "");
    expect_allowed({"S:\\a\\b\\"}, "");
}
