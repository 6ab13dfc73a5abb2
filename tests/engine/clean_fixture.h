#pragma once
// A whole program on recording fakes for the clean tests: a scratch program folder, and a
// scratch user profile and home drive handed to it through the process environment (and
// written to the environment dump as the start-up would).
#include <windows.h>
#include <algorithm>
#include <map>
#include <memory>
#include <string>
#include <vector>
#include <gtest/gtest.h>
#include "app/Program.h"
#include "engine/location_database.h"
#include "support/environment.h"
#include "support/fakes.h"
#include "support/scratch.h"

namespace cleantest {

// pmdb.lst lines: thirteen area values (or twelve) and the four options.
std::string area_file(const std::string& areas, const std::string& options);
// Every area selected, with the user-locations row, and the two force options.
std::string all_areas(int force_read_only, int force_hidden);

// Attributes as the tests set them (through the platform, so Wine keeps them).
void set_attributes(const std::string& path, DWORD attributes);
DWORD attributes(const std::string& path);
bool exists(const std::string& path);

// A host symbolic link (Wine shows it as a folder carrying the reparse-point attribute).
void make_host_link(const std::string& link, const std::string& target);
// The host's name of a path of the prefix, and a host command run to its end (under Wine only).
std::string host_path(const std::string& path);
bool host_command(std::vector<std::string> args);
// A host symbolic link to a file (Wine shows it as a plain file).
void make_host_file_link(const std::string& link, const std::string& target);

// Lines of the report with each run of deleted-file lines sorted: the order in which
// one folder's names are listed is the platform's.
std::vector<std::string> comparable(std::vector<std::string> report);

class CleanTest : public testing::Test {
protected:
    testsupport::ScratchDir dir;
    testsupport::ScopedEnvironment environment;
    std::string program;   // the program folder
    std::string profile;   // USERPROFILE (beside it only other users' folders)
    std::string home;      // HOMEDRIVE (a folder, so that the tests stay in scratch)
    testsupport::Fakes fakes;
    std::unique_ptr<pellmaris::Program> app;
    std::vector<std::string> settings_lines;   // settings.ini as written
    std::map<std::string, std::string> sentinels;   // files a clean must leave byte for byte

    CleanTest();

    // The program, its location list from the shipped database, and its main window loaded.
    void start();
    // The location list from the given lines instead of the shipped database.
    void start_with_locations(const std::vector<std::string>& lines);

    pellmaris::Form1& form() { return app->Form1; }
    std::vector<std::string> report() { return app->Form2.List1.items(); }
    long report_count(const std::string& line)
    {
        const auto lines = report();
        return std::count(lines.begin(), lines.end(), line);
    }

    // A file of `size` bytes (parent folders made); returns its path.
    std::string junk(const std::string& path, std::size_t size = 10);
    void put(const std::string& path, const std::string& bytes);
    std::string in_program(const std::string& name) const { return program + "\\" + name; }
    void set_areas(const std::string& pmdb) { put(in_program("pmdb.lst"), pmdb); }
    // Line n (1-based) of settings.ini replaced.
    void set_setting(int n, const std::string& value);
    // HOMEDRIVE and USERPROFILE of the process, and the dump that says the same.
    void set_environment(const std::string& home_value, const std::string& profile_value);
    void write_dump(const std::string& home_value, const std::string& profile_value);

    // A sentinel file (parent folders made); returns its path.
    std::string sentinel(const std::string& path);
    void expect_sentinels_intact();
    std::vector<std::string> exceptions() { return app->Form4.List3.items(); }
    // PMuser.lst holding these lines.
    void set_user_locations(const std::vector<std::string>& lines);

    // Message boxes whose text starts with the given words.
    int prompts_starting(const std::string& words) const;

private:
    void load_main_window();
};

} // namespace cleantest
