#pragma once
// The analysis on the clean tests' scratch program, profile and home drive: a tree with
// every attribute class in the locations of each column, sub-folders the walks enter or
// pass over, a link to a folder outside, user locations, and sentinels beside them.
#include <map>
#include <set>
#include <string>
#include <vector>
#include "clean_fixture.h"

namespace analysistest {

// A pair of force options, for the tests that run once per pair.
struct Options {
    int force_read_only, force_hidden;
};
inline auto every_option_pair() { return testing::Values(Options{0, 0}, Options{1, 0}, Options{0, 1}, Options{1, 1}); }
std::string option_pair_name(const testing::TestParamInfo<Options>& info);

class AnalysisTest : public cleantest::CleanTest {
protected:
    ~AnalysisTest() override;

    pellmaris::Form7& analysis() { return app->Form7; }
    pellmaris::Form8& results() { return app->Form8; }

    // Loads the analysis window and runs the tick that analyses; the grid shows after.
    void analyse();
    std::string caption(int row, int column) { return analysis().cell(row, column).Caption(); }
    int64_t value(int row, int column) { return analysis().cells.at(row).at(column); }

    // A click of the pointer on the control, through its window's messages and hit test:
    // the control must be the one on top at its middle.
    void click(rt::Form& form, rt::Control& control);

    // The tree: junk of every class, the files the walks pass over, sentinels.
    void build_tree();
    // Removes the tree, cleaned or not, and builds it again.
    void rebuild_tree();
    // Bytes of the tree's junk that is no longer there.
    int64_t vanished_bytes() const;
    // The tree's junk that is still there.
    std::set<std::string> remaining_junk() const;
    // A folder that Wine shows as read-only: the host takes its write permission away.
    void make_read_only_folder(const std::string& folder);
    void expect_sentinels_intact() const;

    std::string p(const std::string& rel) const { return profile + "\\" + rel; }
    std::string h(const std::string& rel) const { return home + "\\" + rel; }
    // A file of `size` bytes with the attributes; kept among the tree's junk.
    std::string file(const std::string& path, std::size_t size, DWORD attributes = 0);
    void sentinel(const std::string& path);

    // The locations of the tree.
    std::string gamer() const { return p("AppData\\Local\\NVIDIA\\DXCache\\"); }
    std::string cache() const { return p("AppData\\Local\\Microsoft\\Windows\\INetCache\\"); }
    std::string cookies() const { return p("AppData\\Local\\Microsoft\\Windows\\INetCookies\\"); }
    std::string temp() const { return p("AppData\\Local\\Temp\\"); }
    std::string user_dir() const { return dir / "userdir\\"; }

private:
    std::vector<std::string> host_files_;   // names only the host can remove
    std::vector<std::string> links_;
    std::map<std::string, std::size_t> junk_;
    std::map<std::string, std::string> sentinels_;
};

} // namespace analysistest
