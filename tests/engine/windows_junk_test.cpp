// The Windows folder's known junk: its log files, crash dumps and update downloads are cleaned
// through the shipped database, and nothing else of it, whatever a database or an own
// location names. A scratch folder stands for the Windows folder; sentinels stay byte for byte.
#include <gtest/gtest.h>
#include <algorithm>
#include "clean_fixture.h"
#include "engine/location_database.h"

using namespace cleantest;

namespace {

class WindowsJunk : public CleanTest {
protected:
    // Where the shipped database's "H \Windows\" entries lead.
    const std::string windows = home + "\\Windows";
    // The program on the given database (the shipped one when empty), its Windows folder the
    // scratch one; then FULL CLEAN is clicked.
    void clean_with(const std::string& pmdb, const std::vector<std::string>& database = {})
    {
        set_areas(pmdb);
        if (database.empty())
            start();
        else
            start_with_locations(database);
        app->sys.windows_folder = windows;
        form().Picture2.on_click();
    }

    // The shipped [LOGS] entries inside the Windows folder, as paths of the scratch one.
    std::vector<std::string> shipped_windows_logs()
    {
        const auto section = pellmaris::find_section(pellmaris::decode_location_database(in_program("PMlist.lst")), "[LOGS]");
        std::vector<std::string> paths;
        for (const std::string& entry : section.entries)
            if (entry.rfind("H \\Windows\\", 0) == 0)
                paths.push_back(home + entry.substr(2));
        return paths;
    }
};

const char* const kTempAndLogs = "0000000001110";
const char* const kLogsOnly = "0000000001010";
const char* const kUserLocationsOnly = "0000000000001";

} // namespace

TEST_F(WindowsJunk, TheLogFilesCleanDeletesTheWindowsLogsAndNothingBesideThem)
{
    const std::vector<std::string> logs = shipped_windows_logs();
    ASSERT_EQ(logs.size(), 12u);
    for (const std::string& log : logs) {
        junk(log, 100);
        const std::string folder = log.substr(0, log.find_last_of('\\') + 1);
        sentinel(folder + "desktop.ini");
        sentinel(folder + "module.dll");
    }
    sentinel(windows + "\\setupact.log.bak");
    sentinel(windows + "\\System32\\setupapi.log");
    clean_with(area_file(kLogsOnly, "0000"));

    expect_sentinels_intact();
    for (const std::string& log : logs) {
        EXPECT_FALSE(exists(log)) << log;
        EXPECT_EQ(report_count("          " + log), 1) << log;
    }
    EXPECT_EQ(form().files_deleted, 12);
    EXPECT_TRUE(exceptions().empty());
}

TEST_F(WindowsJunk, MinidumpAndTheUpdateDownloadsAreEmptiedAndTheRestOfWindowsStays)
{
    const std::vector<std::string> removed = {
        junk(windows + "\\Minidump\\120126-01.dmp", 50), junk(windows + "\\Minidump\\old\\011126-02.dmp", 50),
        junk(windows + "\\SoftwareDistribution\\Download\\4f2a\\update.cab", 70),
        junk(windows + "\\SoftwareDistribution\\Download\\4f2a\\sub\\part.psf", 70),
        junk(windows + "\\SoftwareDistribution\\Download\\index.xml", 20),
        junk(windows + "\\Temp\\setup.tmp", 30),
    };
    sentinel(windows + "\\SoftwareDistribution\\DataStore\\DataStore.edb");
    sentinel(windows + "\\SoftwareDistribution\\ReportingEvents.log.old");
    sentinel(windows + "\\System32\\kernel32.dll");
    sentinel(windows + "\\System32\\config\\SYSTEM");
    sentinel(windows + "\\System32\\LogFiles\\setup.log");
    sentinel(windows + "\\Minidumps\\keep.dmp");
    sentinel(windows + "\\win.ini");
    clean_with(area_file(kTempAndLogs, "0000"));

    expect_sentinels_intact();
    for (const std::string& path : removed)
        EXPECT_FALSE(exists(path)) << path;
    // The locations stay, emptied; their sub-folders are removed.
    EXPECT_TRUE(exists(windows + "\\Minidump"));
    EXPECT_TRUE(exists(windows + "\\SoftwareDistribution\\Download"));
    EXPECT_FALSE(exists(windows + "\\Minidump\\old"));
    EXPECT_FALSE(exists(windows + "\\SoftwareDistribution\\Download\\4f2a"));
    EXPECT_EQ(report_count("          update.cab"), 1);
    EXPECT_EQ(form().files_deleted, static_cast<long>(removed.size()));
}

TEST_F(WindowsJunk, AHostileDatabaseReachesNoMoreThanTheWindowsJunk)
{
    const std::string dump = junk(windows + "\\Minidump\\a.dmp");
    const std::string log = junk(windows + "\\Logs\\CBS\\CBS.log");
    sentinel(windows + "\\System32\\drivers\\etc\\hosts");
    sentinel(windows + "\\System32\\kept.log");
    sentinel(windows + "\\SysWOW64\\kept.log");
    sentinel(windows + "\\WinSxS\\pending\\kept.log");
    sentinel(windows + "\\SoftwareDistribution\\DataStore\\DataStore.edb");
    sentinel(windows + "\\Logs\\CBS\\CBS.persist");
    sentinel(windows + "\\win.ini");
    clean_with(area_file(kTempAndLogs, "1100"),
               {"[TEMP]", "H \\Windows\\", "H \\Windows\\System32\\", "H \\Windows\\SoftwareDistribution\\",
                "H \\Windows\\Logs\\", "H \\Windows\\Minidump\\..\\System32\\", "H \\Windows\\Minidump\\", "",
                "[LOGS]", "H \\Windows\\System32\\kept.log", "H \\Windows\\SysWOW64\\kept.log",
                "H \\Windows\\WinSxS\\pending\\kept.log", "H \\Windows\\win.ini", "H \\Windows\\Logs\\CBS\\CBS.persist",
                "H \\Windows\\System32\\..\\Logs\\CBS\\CBS.log", "H \\Windows\\Logs\\CBS\\CBS.log", ""});

    expect_sentinels_intact();
    EXPECT_FALSE(exists(dump));
    EXPECT_FALSE(exists(log));
    EXPECT_EQ(form().files_deleted, 2);
}

TEST_F(WindowsJunk, OwnLocationsInWindowsFollowTheSameRuleAndNoLinkIsFollowed)
{
    const std::string letter = sentinel(dir / "Documents\\letter.txt");
    sentinel(dir / "Documents\\Pictures\\photo.jpg");
    sentinel(windows + "\\System32\\kept.log");
    testsupport::make_dirs(windows + "\\Logs");
    make_host_file_link(windows + "\\setupact.log", letter);
    make_host_file_link(windows + "\\Logs\\linked.log", letter);
    testsupport::make_dirs(windows + "\\SoftwareDistribution");
    make_host_link(windows + "\\SoftwareDistribution\\Download", dir / "Documents");
    const std::string real_log = junk(windows + "\\debug\\real.LOG");
    const std::string dump = junk(windows + "\\Minidump\\b.dmp");
    const std::vector<std::string> refused = {
        "F " + windows + "\\setupact.log",
        "F " + windows + "\\Logs\\linked.log",
        "D " + windows + "\\SoftwareDistribution\\Download\\",
        "F " + windows + "\\System32\\kept.log",
        "D " + windows + "\\Logs\\",
    };
    std::vector<std::string> lines = refused;
    lines.push_back("F " + real_log);
    lines.push_back("D " + windows + "\\Minidump\\");
    set_user_locations(lines);
    clean_with(area_file(kUserLocationsOnly, "1100"));

    expect_sentinels_intact();
    EXPECT_FALSE(exists(real_log));
    EXPECT_FALSE(exists(dump));
    // The links themselves stay too: nothing was done with them.
    EXPECT_TRUE(exists(windows + "\\setupact.log"));
    EXPECT_TRUE(exists(windows + "\\SoftwareDistribution\\Download"));
    std::vector<std::string> refused_paths;
    for (const std::string& line : refused)
        refused_paths.push_back(line.substr(2));
    EXPECT_EQ(exceptions(), refused_paths);
    EXPECT_EQ(form().files_deleted, 2);
}
