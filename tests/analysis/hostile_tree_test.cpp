// The analysis against the clean on trees that the file system makes hard: names that
// differ only in case, locations of different columns that overlap.
#include <gtest/gtest.h>
#include "analysis_fixture.h"
#include "common/size_text.h"
#include "engine/clean_rules.h"
#include "app/Program.h"
#include "support/aliased_folders.h"
#include "support/host.h"

using namespace analysistest;
using pellmaris::Form7;

namespace {

class HostileTree : public AnalysisTest {
protected:
    // Temp alone, every class forced: row 0 is every file the clean may reach.
    void choose_temp() { set_areas(cleantest::area_file("0000000001101", "1100")); }

    // A file of `size` bytes that the host makes in the temporary folder, under a name
    // Windows would not make.
    void host_file(const std::string& name, int size)
    {
        testsupport::make_dirs(temp());
        const std::string path = testsupport::host_path(temp()) + "/" + name;
        ASSERT_TRUE(testsupport::run_on_host(
            {"/bin/sh", "-c", "printf %0" + std::to_string(size) + "d 0 > \"$0\"", path}));
    }

    // The Temp column's row 0 against the figure of the clean that follows.
    void expect_temp_clean_frees_row_zero()
    {
        const int64_t row_zero = value(0, Form7::kTemp);
        form().Picture8_Click();
        EXPECT_EQ(report().at(1), pellmaris::totals_line(form().files_deleted, row_zero));
        expect_sentinels_intact();
    }
};

} // namespace

// A case-sensitive host folder holds "CASE.tmp" and "case.tmp" apart: two files, both
// cleaned, both counted and listed.
TEST_F(HostileTree, NamesThatDifferOnlyInCaseAreTwoFiles)
{
    choose_temp();
    file(temp() + "case.tmp", 10);
    host_file("CASE.tmp", 20);
    start();
    analyse();
    EXPECT_EQ(value(1, Form7::kTemp), 30);
    click(analysis(), analysis().Label15);
    EXPECT_EQ(results().List1.ListCount(), 2);
    expect_temp_clean_frees_row_zero();
}

// The full clean takes a file once, whichever of its areas reaches it first: a user folder
// that is also a temporary location is not counted twice in any row of the Full column.
TEST_F(HostileTree, TheFullCellCountsAFileOfTwoColumnsOnce)
{
    set_areas(cleantest::area_file("1111111111101", "0000"));
    file(temp() + "plain.tmp", 10);
    file(temp() + "ro.tmp", 20, FILE_ATTRIBUTE_READONLY);
    file(user_dir() + "own.u", 40);
    put(in_program("PMuser.lst"), "D " + temp() + "\r\nD " + user_dir() + "\r\n");
    start();
    analyse();
    EXPECT_EQ(value(0, Form7::kTemp), 10);
    EXPECT_EQ(value(0, Form7::kUser), 50);
    EXPECT_EQ(value(1, Form7::kFull), 70);   // every row takes each file once
    EXPECT_EQ(value(0, Form7::kFull), 50);
    form().Picture2_Click();
    EXPECT_EQ(vanished_bytes(), 50);
    EXPECT_EQ(form().Label10.Caption(), "Space Freed Last Clean " + pellmaris::size_text(50));
}

// A drive letter mapped onto the Windows folder, Program Files or the profile counts nothing
// there, and neither does the folder's plain name.
TEST_F(HostileTree, NothingIsCountedThroughADriveLetterForAProtectedFolder)
{
    set_areas(cleantest::area_file("0000000000001", "1100"));
    testsupport::AliasedFiles aliased;
    std::string lines;
    for (const testsupport::AliasedFolder& folder : testsupport::aliased_folders())
        for (const std::string& spelling : {folder.alias, folder.plain})
            lines += "F " + aliased.make(spelling, std::string(100, 'x')) + "\r\n";
    file(user_dir() + "own.u", 40);
    put(in_program("PMuser.lst"), lines + "D " + user_dir() + "\r\n");
    start();
    analyse();
    EXPECT_EQ(value(0, Form7::kUser), 40);
}
