// What every clean refuses, tried as an attacker would: own locations and a hostile PMlist.lst
// that name protected folders, through aliases too; the program folder inside a cleaned
// location; entries too long for the system. Sentinels beside every location stay byte for byte.
#include <gtest/gtest.h>
#include <algorithm>
#include <map>
#include "clean_fixture.h"
#include "runtime/system_places.h"
#include "support/aliased_folders.h"

using namespace cleantest;

namespace {

class Protection : public CleanTest {
protected:
    bool is_exception(const std::string& path)
    {
        const auto list = exceptions();
        return std::find(list.begin(), list.end(), path) != list.end();
    }

    // A PMlist.lst holding these decoded lines, with an empty key (each character is its code).
    void write_location_database(const std::vector<std::string>& lines)
    {
        std::string text = "Pellmaris location database\r\nFormat version 1\r\nDatabase key:\r\n";
        for (const std::string& line : lines) {
            std::size_t from = 0;
            if (line.rfind("U ", 0) == 0 || line.rfind("H ", 0) == 0) {
                text += line.substr(0, 1) + ",";
                from = 2;
            }
            for (std::size_t i = from; i < line.size(); ++i)
                text += std::to_string(static_cast<unsigned char>(line[i])) + ",";
            text += "'\r\n";
        }
        put(in_program("PMlist.lst"), text);
    }

    // The user-locations area alone, both force options on.
    void clean_user_locations_only()
    {
        set_areas(area_file("0000000000001", "1100"));
        start();
        form().Picture2_Click();
    }
};

} // namespace

TEST_F(Protection, AFolderEntryWithoutItsBackslashCleansItsOwnFolderOnly)
{
    const std::string ab = dir / "data\\ab";
    const std::string junk_file = junk(ab + "\\junk.txt");
    junk(ab + "\\sub\\deeper.txt");
    sentinel(dir / "data\\abab\\keep.txt");
    sentinel(dir / "data\\abab\\sub\\keep.txt");
    sentinel(dir / "data\\ab.txt");
    set_user_locations({"D " + ab});
    clean_user_locations_only();
    expect_sentinels_intact();
    EXPECT_FALSE(exists(junk_file));
    EXPECT_FALSE(exists(ab + "\\sub"));
    EXPECT_TRUE(exists(ab));
    EXPECT_EQ(report_count("          Location = " + ab + "\\"), 1);
    EXPECT_EQ(report_count("          junk.txt"), 1);
    EXPECT_TRUE(exceptions().empty());
}

TEST_F(Protection, ALinkInAParentStepIsJudgedByWhereItLeads)
{
    // "alias" stands for the folder of the profiles, as "Documents and Settings" does on Windows.
    make_host_link(dir / "alias", dir / "Users");
    sentinel(profile + "\\ntuser.dat");
    sentinel(profile + "\\Documents\\letter.txt");
    sentinel(dir / "Users\\other\\Documents\\letter.txt");
    const std::string temp_junk = junk(profile + "\\AppData\\Local\\Temp\\t.tmp");
    const std::string me = dir / "alias\\me\\", other = dir / "alias\\other\\";
    set_user_locations({"D " + me, "D " + other, "F " + dir / "alias\\me\\ntuser.dat",
                        "D " + dir / "alias\\me\\AppData\\Local\\Temp\\"});
    clean_user_locations_only();
    expect_sentinels_intact();
    EXPECT_EQ(exceptions(), (std::vector<std::string>{me, other, dir / "alias\\me\\ntuser.dat"}));
    // Below the profile the same link leads to a folder that may be cleaned: its final path.
    EXPECT_FALSE(exists(temp_junk));
    EXPECT_EQ(report_count("          t.tmp"), 1);
}

TEST_F(Protection, ALinkNamedAsAnOwnLocationIsRefused)
{
    sentinel(dir / "outside\\letter.txt");
    sentinel(dir / "outside\\keep.txt");
    const std::string below = junk(dir / "outside\\sub\\below.tmp");
    const std::string plain = junk(dir / "data\\plain.txt");
    make_host_file_link(dir / "data\\file-link.txt", dir / "outside\\letter.txt");
    make_host_link(dir / "data\\folder-link", dir / "outside");
    set_user_locations({"F " + dir / "data\\file-link.txt", "D " + dir / "data\\folder-link\\",
                        "D " + dir / "data\\folder-link\\sub\\", "F " + dir / "data\\plain.txt"});
    clean_user_locations_only();
    expect_sentinels_intact();
    EXPECT_FALSE(exists(plain));
    EXPECT_EQ(exceptions(), (std::vector<std::string>{dir / "data\\file-link.txt", dir / "data\\folder-link\\"}));
    // A link in a parent step leads where it leads, and that folder is judged: here it may be
    // cleaned, and the clean works on its final path.
    EXPECT_FALSE(exists(below));
    EXPECT_TRUE(exists(dir / "data\\folder-link"));
}

TEST_F(Protection, LoopbackSharesAndTheSystemFolderAreRefused)
{
    const std::string windows = rt::windows_folder();
    const std::string system_file = windows + "\\System32\\kernel32.dll";
    ASSERT_TRUE(exists(system_file));
    const std::vector<std::string> refused = {
        "\\\\localhost\\C$\\Windows\\", "\\\\127.0.0.1\\C$\\Users\\", "\\\\[::1]\\share\\Temp\\",
        windows + "\\System32\\", windows + "\\", windows + "\\Logs\\", system_file, windows + "\\win.ini",
    };
    std::vector<std::string> lines;
    for (const std::string& path : refused)
        lines.push_back((path.back() == '\\' ? "D " : "F ") + path);
    const std::string junk_file = junk(dir / "data\\j.txt");
    lines.push_back("D " + dir / "data\\");
    set_user_locations(lines);
    clean_user_locations_only();
    EXPECT_EQ(exceptions(), refused);
    EXPECT_TRUE(exists(system_file));
    EXPECT_FALSE(exists(junk_file));   // the entries after the refused ones are cleaned
    EXPECT_EQ(form().files_deleted, 1);
}

TEST_F(Protection, TheProgramFolderInsideTheTemporaryFolderSurvivesAFullClean)
{
    // A copy of the program started from the temporary folder, as archivers do.
    const std::string temp = profile + "\\AppData\\Local\\Temp\\";
    const std::string moved = temp + "Pellmaris";
    testsupport::make_dirs(moved);
    for (const char* name : {"settings.ini", "info.ini", "PMwebs.lst", "PMlist.lst", "pmdb.lst", "sentinel.txt"})
        ASSERT_TRUE(CopyFileA(in_program(name).c_str(), (moved + "\\" + name).c_str(), FALSE)) << name;
    program = moved;
    for (const char* name : {"settings.ini", "info.ini", "PMwebs.lst", "PMlist.lst", "pmdb.lst", "sentinel.txt"})
        sentinels[in_program(name)] = testsupport::read_bytes(in_program(name));
    sentinel(in_program("pellmarisgui\\back.jpg"));
    sentinel(in_program("cache\\own.tmp"));
    testsupport::make_dirs(in_program("empty"));
    const std::string beside = junk(temp + "beside.tmp");
    const std::string nested = junk(temp + "nested\\n.tmp");
    set_user_locations({"D " + temp, "D " + in_program("pellmarisgui\\"), "F " + in_program("settings.ini")});
    sentinels[in_program("PMuser.lst")] = testsupport::read_bytes(in_program("PMuser.lst"));
    set_areas(all_areas(1, 1));
    sentinels[in_program("pmdb.lst")] = testsupport::read_bytes(in_program("pmdb.lst"));
    start();
    form().Picture2_Click();

    expect_sentinels_intact();
    EXPECT_TRUE(exists(in_program("empty")));   // not even its empty folders are removed
    EXPECT_FALSE(exists(beside));
    EXPECT_FALSE(exists(nested));
    EXPECT_TRUE(is_exception(in_program("pellmarisgui\\")));
    EXPECT_TRUE(is_exception(in_program("settings.ini")));
    for (const std::string& folder : app->Form4.List4.items())
        EXPECT_EQ(folder.find(moved), std::string::npos) << folder;
}

TEST_F(Protection, AHostileLocationDatabaseCleansOnlyWhatMayBeCleaned)
{
    const std::string temp_junk = junk(profile + "\\AppData\\Local\\Temp\\t.tmp");
    const std::string log_junk = junk(profile + "\\AppData\\Local\\app.log");
    sentinel(profile + "\\ntuser.dat");
    sentinel(profile + "\\Documents\\letter.txt");
    sentinel(dir / "Users\\other\\AppData\\Local\\Temp\\theirs.tmp");
    sentinel(dir / "top.txt");
    sentinel(in_program("pellmarisgui\\back.jpg"));
    for (const char* name : {"settings.ini", "PMlist.lst", "sentinel.txt"})
        sentinels[in_program(name)] = testsupport::read_bytes(in_program(name));
    const std::string windows = rt::windows_folder();
    write_location_database({
        "[TEMP]",
        "U \\",
        "U \\AppData\\Local\\Temp\\..\\..\\..\\",
        "U \\..\\other\\AppData\\Local\\Temp\\",
        "U \\AppData\\Local\\Temp.\\",
        dir.path() + "\\",
        dir.path() + "\\Users\\",
        dir.path() + "\\Users\\other\\",
        program + "\\",
        program + "\\pellmarisgui\\",
        "\\\\localhost\\C$\\Users\\",
        windows + "\\System32\\",
        "U \\AppData\\Local\\Temp\\",
        "",
        "[LOGS]",
        "U \\ntuser.dat",
        program + "\\settings.ini",
        program + "\\PMlist.lst",
        dir.path() + "\\top.txt",
        windows + "\\win.ini",
        "U \\AppData\\Local\\app.log",
        "",
    });
    sentinels[in_program("PMlist.lst")] = testsupport::read_bytes(in_program("PMlist.lst"));
    set_areas(area_file("0000000001110", "1100"));
    start();
    ASSERT_EQ(app->Form5.List1.ListCount(), 22);
    ASSERT_EQ(app->Form5.List1.List(1), "U \\");
    form().Picture2_Click();
    expect_sentinels_intact();
    EXPECT_FALSE(exists(temp_junk));
    EXPECT_FALSE(exists(log_junk));
    EXPECT_EQ(form().files_deleted, 2);
    EXPECT_TRUE(exists(windows + "\\win.ini"));
}

TEST_F(Protection, AnEntryTooLongForTheSystemIsRefusedOnItsOwn)
{
    std::string too_long = dir / "long";
    while (too_long.size() <= 33000)
        too_long += "\\" + std::string(200, 'x');
    const std::string long_folder = dir / (std::string(240, 'a') + "\\");
    std::string five_thousand = long_folder;
    while (five_thousand.size() < 5000)
        five_thousand += std::string(200, 'b') + "\\";
    // Past MAX_PATH and within what the host under Wine can hold (4,096 bytes): cleaned.
    std::string deep = dir / "deep\\";
    while (deep.size() < 1500)
        deep += std::string(200, 'c') + "\\";
    const std::string deep_junk = junk(deep + "deep.txt");
    const std::string first = junk(dir / "first\\one.txt");
    const std::string last = junk(dir / "last\\two.txt");
    sentinel(dir / "beside\\keep.txt");
    set_user_locations({"D " + dir / "first\\", "D " + too_long + "\\", "F " + too_long + "\\f.txt",
                        "D " + five_thousand, "D " + deep, "D " + dir / "last\\"});
    clean_user_locations_only();
    expect_sentinels_intact();
    EXPECT_FALSE(exists(first));
    EXPECT_FALSE(exists(last));
    EXPECT_FALSE(exists(deep_junk));
    EXPECT_FALSE(is_exception(five_thousand));   // a folder that is not there: nothing to refuse
    EXPECT_TRUE(is_exception(too_long + "\\"));
    EXPECT_TRUE(is_exception(too_long + "\\f.txt"));
    EXPECT_EQ(report_count("          Location = " + dir / "last\\"), 1);
    EXPECT_EQ(report_count("          two.txt"), 1);
}

// Wine and subst give a protected folder another drive letter, under which it looks like a
// drive root; its plain name then leads to the same place. Neither spelling reaches it.
TEST_F(Protection, ADriveLetterForAProtectedFolderLeadsNowhereItsNameIsRefused)
{
    testsupport::AliasedFiles aliased;
    std::vector<std::string> user_lines, database = {"[LOGS]"};
    for (const testsupport::AliasedFolder& folder : testsupport::aliased_folders())
        for (const std::string& spelling : {folder.alias, folder.plain}) {
            user_lines.push_back("F " + aliased.make(spelling, "own entry"));
            database.push_back(aliased.make(spelling, "database entry"));
        }
    const std::string control = junk(dir / "data\\control.txt");
    user_lines.push_back("F " + control);
    database.push_back("");
    write_location_database(database);
    set_user_locations(user_lines);
    set_areas(area_file("0000000001111", "1100"));
    start();
    form().Picture2_Click();
    aliased.expect_intact();
    EXPECT_FALSE(exists(control));
    EXPECT_EQ(form().files_deleted, 1);
}
