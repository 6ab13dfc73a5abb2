#include "common/clean_rule.h"
#include <windows.h>
#include <gtest/gtest.h>
#include "common/user_locations.h"
#include "runtime/system.h"
#include "runtime/system_places.h"
#include "runtime/unicode.h"
#include "support/environment.h"
#include "support/scratch.h"

using pellmaris::CleanRule;
using pellmaris::may_be_cleaned;

namespace {

const std::string kProgram = "P:\\stage";

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

std::string lower(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
    return text;
}

} // namespace

TEST(MayBeCleaned, RefusesPathsThatAreNotFullyQualified)
{
    expect_refused({"", " ", "Temp\\", "\\Temp\\", "C:Temp", "C:", "\\\\server", "\\\\server\\",
                    "\\\\?\\C:\\Temp\\", "\\\\.\\C:\\Temp", "S:\\Temp\\*", "S:\\Temp\\a?.log", "1:\\x"});
}

TEST(MayBeCleaned, RefusesRootsHoweverWritten)
{
    expect_refused({"C:\\", "c:\\\\", "C:\\\\\\", "C:/", "S:\\", "\\\\server\\share", "\\\\server\\share\\",
                    "\\\\SERVER\\share\\\\"});
    expect_allowed({"S:\\Temp\\", "S:\\Temp", "\\\\server\\share\\cache\\", "S:\\a\\\\b\\", "S:/a/b/"});
    // A file in a drive root is allowed; the root itself is not.
    expect_allowed({"S:\\x.txt"});
}

TEST(MayBeCleaned, RefusesStepsThatWindowsWouldReadAsAnotherPath)
{
    // "." and "..", and a final dot or blank, which the plain form drops.
    expect_refused({"S:\\Temp\\..", "S:\\Temp\\..\\..\\", "S:\\.\\", "S:\\a\\..\\b\\", "S:\\a\\.\\b\\",
                    "S:\\Temp.\\", "S:\\Temp \\", "S:\\Temp\\x.log.", "S:\\Temp\\x.log ", "S:\\Temp\\x:stream",
                    "S:\\Temp\\\x01name"});
    expect_allowed({"S:\\.cache\\", "S:\\ Temp\\", "S:\\a.b\\c\\"});
}

TEST(MayBeCleaned, RefusesAPathTooLongForTheSystem)
{
    const std::string deep = "S:\\" + std::string(200, 'd') + "\\";
    std::string path = "S:\\";
    while (path.size() <= 32767)
        path += std::string(200, 'd') + "\\";
    expect_refused({path, path + "x.txt"});
    expect_allowed({deep, deep + std::string(4800, 'e') + "\\"});
}

TEST(MayBeCleaned, RefusesTheWindowsFolderAndItsSubFoldersExceptItsKnownJunk)
{
    const std::string win = rt::windows_folder();
    ASSERT_FALSE(win.empty());
    expect_refused({win, win + "\\", lower(win) + "\\\\", win + "\\System32\\", lower(win) + "\\SYSTEM32",
                    win + "\\System32\\drivers\\", win + "\\Logs\\", win + "\\Minidumps\\",
                    win + "\\SoftwareDistribution\\", win + "\\SoftwareDistribution\\DataStore\\",
                    win + "\\SoftwareDistribution\\Downloads\\", win + "\\Temp2\\"});
    // Files in it or in a refused sub-folder are refused too, but for its log files outside the
    // system's own folders.
    expect_refused({win + "\\win.ini", win + "\\Logs\\x.log.old", win + "\\Logs\\xlog", win + "\\System32\\kernel32.dll",
                    win + "\\System32\\nothing.dll", win + "\\System32\\x.log", lower(win) + "\\system32\\a\\b.LOG",
                    win + "\\SysWOW64\\x.log", win + "\\WinSxS\\pending.log", win + "\\setupact.log\\"});
    expect_allowed({win + "\\Temp\\", win + "\\TEMP\\sub\\", win + "\\Temp\\x.log", win + "\\Temp\\sub\\y.tmp",
                    win + "\\Minidump\\", lower(win) + "\\minidump\\old\\", win + "\\Minidump\\a.dmp",
                    win + "\\SoftwareDistribution\\Download\\", win + "\\SoftwareDistribution\\Download\\x\\y.cab",
                    win + "\\setupact.log", win + "\\Logs\\DISM\\DISM.LOG", win + "\\System32x\\x.log"});
}

TEST(MayBeCleaned, RefusesProgramFilesFoldersOnAnyDrive)
{
    testsupport::ScopedEnvironment environment;
    expect_refused({"C:\\Program Files", "C:\\program files\\", "D:\\Program Files (x86)\\", "S:\\PROGRAM FILES"});
    if (auto env = rt::environment_variable("ProgramFiles"))
        expect_refused({*env, *env + "\\", *env + "\\readme.txt"});
    wchar_t short_name[MAX_PATH];
    if (GetShortPathNameW(L"C:\\Program Files", short_name, MAX_PATH))
        expect_refused({rt::utf8(short_name)});
    expect_allowed({"C:\\Program Files\\App\\Cache\\", "S:\\Program Files Old\\"});

    environment.set("ProgramFiles", "S:\\Apps");
    environment.set("ProgramW6432", "S:\\Apps64");
    expect_refused({"S:\\apps\\", "S:\\Apps64"});
    expect_allowed({"S:\\Apps\\Vendor\\Temp\\"});
}

TEST(MayBeCleaned, RefusesProfileFoldersAndTheFoldersHoldingThem)
{
    testsupport::ScratchDir dir;
    testsupport::ScopedEnvironment environment;
    testsupport::make_dirs(dir / "Users\\bob\\AppData\\Local\\Temp");
    environment.set("USERPROFILE", dir / "Users\\bob");
    expect_refused({dir / "Users\\bob", dir / "Users\\BOB\\", dir / "users\\Public", dir / "Users\\alice\\",
                    dir / "Users", dir.path(), dir / "Users\\bob\\ntuser.dat", dir / "Users\\desktop.ini",
                    dir / "x.txt"});
    expect_allowed({dir / "Users\\bob\\AppData\\Local\\Temp\\", dir / "Users\\alice\\Cache\\",
                    dir / "Other\\bob\\", dir / "Users\\bob\\AppData\\x.log"});
}

TEST(MayBeCleaned, RefusesTheProgramFolderAndEverythingInIt)
{
    const std::string program = "S:\\a\\b\\prog";
    expect_refused({"S:\\a\\b\\prog", "s:\\A\\B\\PROG\\", "S:\\a\\b\\prog\\cache\\", "S:\\a\\b\\prog\\settings.ini",
                    "S:\\a\\b\\prog\\any.txt"},
                   program);
    expect_allowed({"S:\\a\\c\\", "S:\\a\\b\\prog2\\", "S:\\a\\b\\x.txt"}, program);
    // A folder above it is not added as an own location; a clean that meets one (a database
    // location, an older list) empties it around the program folder.
    expect_refused({"S:\\a\\b\\", "S:\\a\\"}, program);
    EXPECT_EQ(CleanRule(program).folder_location("S:\\a\\b\\"), "S:\\a\\b\\");
    expect_refused({"S:\\a\\b\\prog"}, program + "\\");
    expect_refused({"S:\\a\\b\\prog\\x.txt", "S:\\a\\b\\"}, "S:\\a\\b\\x\\..\\prog.");
    // An unknown program folder does not open up the other refusals.
    expect_refused({"C:\\", rt::windows_folder()}, "");
}

TEST(MayBeCleaned, RefusesTheProgramsOwnFilesInADriveRoot)
{
    // As the program names its folder when it runs from the root of S:.
    const std::string program = rt::System::folder_of("S:\\Pellmaris.exe");
    expect_refused({"S:\\settings.ini", "S:\\PMLIST.LST", "S:\\pmdb.lst", "S:\\PMuser.lst", "S:\\info.ini",
                    "S:\\pass.ini", "S:\\Pellmaris.exe", "S:\\pellmarisgui\\", "S:\\pellmarisgui\\back.jpg"},
                   program);
    expect_allowed({"S:\\other.txt", "S:\\Games\\Temp\\", "S:\\Games\\settings.ini"}, program);
}

TEST(MayBeCleaned, RefusesAdministrativeAndLoopbackShares)
{
    expect_refused({"\\\\localhost\\C$\\Windows\\", "\\\\LOCALHOST\\share\\Temp\\", "\\\\127.0.0.1\\C$\\Users\\",
                    "\\\\127.1.2.3\\data\\Temp\\", "\\\\[::1]\\data\\Temp\\", "\\\\::1\\data\\Temp\\",
                    "\\\\server\\C$\\Temp\\", "\\\\server\\ADMIN$\\Temp\\", "\\\\server\\d$\\x.txt",
                    "\\\\0--1.ipv6-literal.net\\data\\x\\"});
    for (const std::string& name : rt::machine_names())
        expect_refused({"\\\\" + name + "\\data\\Temp\\", "\\\\" + lower(name) + "\\data\\x.txt"});
    expect_allowed({"\\\\fileserver\\data\\Temp\\"});
}

TEST(MayBeCleaned, UserEntriesAreJudgedByTheirKind)
{
    testsupport::ScratchDir dir;
    testsupport::make_dirs(dir / "folder");
    testsupport::write_bytes(dir / "file.txt", "x");
    const std::string program = dir / "prog";
    using pellmaris::UserLocation;
    EXPECT_TRUE(may_be_cleaned(UserLocation{true, dir / "folder\\"}, program));
    EXPECT_FALSE(may_be_cleaned(UserLocation{false, dir / "folder"}, program));   // a folder named as a file
    EXPECT_TRUE(may_be_cleaned(UserLocation{false, dir / "file.txt"}, program));
    EXPECT_FALSE(may_be_cleaned(UserLocation{true, dir / "file.txt\\"}, program));   // a file named as a folder
    EXPECT_TRUE(may_be_cleaned(dir / "folder", program));   // an existing folder without its "\"
}

TEST(CleanRule, GivesTheFinalPathOfWhatItAllows)
{
    testsupport::ScratchDir dir;
    testsupport::make_dirs(dir / "Cache\\Sub");
    testsupport::write_bytes(dir / "Cache\\Sub\\f.txt", "x");
    const CleanRule rule(dir / "prog");
    // The folder's own case, every doubled backslash gone, the final "\" added.
    EXPECT_EQ(rule.folder_location(lower(dir / "cache\\\\sub")), dir / "Cache\\Sub\\");
    EXPECT_EQ(rule.file_location(lower(dir / "cache\\sub\\f.txt")), dir / "Cache\\Sub\\f.txt");
    // What does not exist yet follows its deepest existing folder's final path.
    EXPECT_EQ(rule.folder_location(lower(dir / "cache\\New\\")), dir / "Cache\\new\\");
    // A folder deeper than MAX_PATH has a final path too.
    std::string deep = dir / "Cache";
    for (int i = 0; i < 3; ++i) {
        deep += "\\" + std::string(120, static_cast<char>('a' + i));
        ASSERT_TRUE(CreateDirectoryW(rt::utf16("\\\\?\\" + deep).c_str(), nullptr)) << deep;
    }
    EXPECT_EQ(rule.folder_location(lower(deep)), deep + "\\");
    // The rule of no clean refuses everything.
    EXPECT_FALSE(CleanRule().folder_location(dir / "Cache\\"));
    EXPECT_FALSE(CleanRule().may_empty_folder(dir / "Cache"));
}

TEST(CleanRule, FoldersAWalkReachesAreEmptiedExceptTheProgramFolder)
{
    const CleanRule rule("S:\\temp\\prog");
    EXPECT_TRUE(rule.may_empty_folder("S:\\temp\\x"));
    EXPECT_TRUE(rule.may_empty_folder("S:\\temp\\sub."));   // a listed name is a name
    EXPECT_TRUE(rule.may_empty_folder("S:\\temp\\prog2\\"));
    EXPECT_FALSE(rule.may_empty_folder("S:\\temp\\prog"));
    EXPECT_FALSE(rule.may_empty_folder("S:\\TEMP\\PROG\\pellmarisgui\\"));
    // A walk names folders from its location's final path (the test prefix maps W: onto Windows).
    EXPECT_FALSE(rule.may_empty_folder(rt::final_path(rt::windows_folder() + "\\System32").value_or("")));
    EXPECT_TRUE(rule.may_empty_folder(rt::windows_folder() + "\\Temp\\x"));
}
