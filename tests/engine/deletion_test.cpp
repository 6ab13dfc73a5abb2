// kill_file and kill_folder on real files: the attribute policy, the report line, the
// counters, the exceptions list and the caption.
#include <gtest/gtest.h>
#include "clean_fixture.h"

using namespace cleantest;

namespace {

class Deletion : public CleanTest {
protected:
    std::string folder = dir / "junk\\";

    void SetUp() override { start_with_locations({}); }

    // Deletes folder & name with the given force options; true when the file is gone.
    bool kill(const std::string& name, int force_read_only, int force_hidden)
    {
        form().force_read_only = static_cast<int16_t>(force_read_only);
        form().force_hidden = static_cast<int16_t>(force_hidden);
        form().current_folder = folder;
        form().current_file = name;
        form().kill_file();
        return !exists(folder + name);
    }
};

} // namespace

TEST_F(Deletion, AttributePolicyMatrixOnRealFiles)
{
    struct Row {
        DWORD attributes;
        bool none, read_only, hidden, both;   // deleted with force flags 0/0, 1/0, 0/1, 1/1
    };
    const Row rows[] = {
        {0, true, true, true, true},       {FILE_ATTRIBUTE_ARCHIVE, true, true, true, true},
        {1, false, true, false, true},     {33, false, true, false, true},
        {2, false, false, true, true},     {34, false, false, true, true},
        {3, false, false, false, true},    {35, false, false, false, true},
        {4, false, false, false, false},   {36, false, false, false, false},
        {5, false, false, false, false},   {7, false, false, false, false},
    };
    int expected_deleted = 0;
    std::vector<std::string> expected_exceptions;
    for (const Row& r : rows) {
        const bool outcome[] = {r.none, r.read_only, r.hidden, r.both};
        for (int force = 0; force < 4; ++force) {
            const std::string name = "f" + std::to_string(r.attributes) + "_" + std::to_string(force) + ".tmp";
            junk(folder + name, 100);
            set_attributes(folder + name, r.attributes);
            EXPECT_EQ(kill(name, force & 1, force >> 1), outcome[force]) << name;
            if (outcome[force])
                ++expected_deleted;
            else
                expected_exceptions.push_back(folder + name);
        }
    }
    EXPECT_EQ(form().files_deleted, expected_deleted);
    EXPECT_EQ(form().bytes_freed, 100 * expected_deleted);
    EXPECT_EQ(app->Form4.List3.items(), expected_exceptions);
    EXPECT_EQ(static_cast<int>(report().size()), expected_deleted);
    EXPECT_EQ(report().front(), "          f0_0.tmp");
}

TEST_F(Deletion, LockedFileGoesToTheExceptionsListAndCountsNothing)
{
    junk(folder + "locked.tmp", 50);
    HANDLE held = CreateFileA((folder + "locked.tmp").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(kill("locked.tmp", 1, 1));
    CloseHandle(held);
    EXPECT_EQ(form().files_deleted, 0);
    EXPECT_EQ(form().bytes_freed, 0);
    EXPECT_TRUE(report().empty());
    EXPECT_EQ(app->Form4.List3.items(), std::vector<std::string>{folder + "locked.tmp"});
}

TEST_F(Deletion, VanishedFileGoesToTheExceptionsList)
{
    testsupport::make_dirs(folder);
    EXPECT_TRUE(kill("gone.tmp", 0, 0));
    EXPECT_EQ(app->Form4.List3.items(), std::vector<std::string>{folder + "gone.tmp"});
    EXPECT_EQ(form().files_deleted, 0);
}

TEST_F(Deletion, SingleFileByFullPathKeepsTheFolderAttributesAndReportsThePath)
{
    const std::string path = junk(folder + "single.log", 7);
    set_attributes(dir / "junk", FILE_ATTRIBUTE_HIDDEN);
    form().current_folder = "";
    form().current_file = path;
    form().kill_file();
    EXPECT_FALSE(exists(path));
    EXPECT_EQ(report(), std::vector<std::string>{"          " + path});
    EXPECT_EQ(form().Label2.Caption(), path);
    EXPECT_EQ(attributes(dir / "junk") & FILE_ATTRIBUTE_HIDDEN, DWORD(FILE_ATTRIBUTE_HIDDEN));
}

TEST_F(Deletion, MakesTheFolderNormalAndShowsTheShortenedPath)
{
    const std::size_t long_name = 150;
    const std::string deep = folder + std::string(long_name, 'n') + "\\";
    junk(deep + "file.tmp");
    set_attributes(deep.substr(0, deep.size() - 1), FILE_ATTRIBUTE_HIDDEN);
    folder = deep;
    EXPECT_TRUE(kill("file.tmp", 0, 0));
    EXPECT_EQ(attributes(deep) & FILE_ATTRIBUTE_HIDDEN, 0u);
    const std::size_t h = (deep.size() + 8) / 2;
    ASSERT_LT(h, long_name);
    EXPECT_EQ(form().Label2.Caption().size(), deep.size() + 8 - (long_name - h) + 2);
    EXPECT_NE(form().Label2.Caption().find(std::string(h, 'n') + "..\\file.tmp"), std::string::npos);
}

TEST_F(Deletion, CountsLengthsBeyondThirtyTwoBits)
{
    const std::string path = folder + "big.bin";
    testsupport::make_dirs(folder);
    HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    LARGE_INTEGER size;
    size.QuadPart = 5'000'000'000LL;   // sparse on the host
    SetFilePointerEx(h, size, nullptr, FILE_BEGIN);
    SetEndOfFile(h);
    CloseHandle(h);
    EXPECT_TRUE(kill("big.bin", 0, 0));
    EXPECT_EQ(form().bytes_freed, 5'000'000'000LL);
}

TEST_F(Deletion, KillFolderRemovesOnlyAnEmptyFolder)
{
    testsupport::make_dirs(folder + "empty");
    junk(folder + "full\\keep.txt");
    form().current_folder = folder + "empty\\";
    form().kill_folder();
    EXPECT_EQ(form().current_folder, folder + "empty");
    EXPECT_FALSE(exists(folder + "empty"));
    form().current_folder = folder + "full\\";
    form().kill_folder();
    EXPECT_TRUE(exists(folder + "full\\keep.txt"));
    form().current_folder = "";
    form().kill_folder();   // nothing to do, no error
    EXPECT_EQ(form().current_folder, "");
}
