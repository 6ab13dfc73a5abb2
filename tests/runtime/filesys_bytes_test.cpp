// Files written anew in place of the old one, and files read from an offset.
#include <windows.h>
#include <string>
#include <gtest/gtest.h>
#include "runtime/filesys.h"
#include "support/host_link.h"
#include "support/raised.h"
#include "support/scratch.h"

using testsupport::read_bytes;
using testsupport::write_bytes;

namespace {

class WriteNewFile : public testing::Test {
protected:
    testsupport::ScratchDir dir;
    std::string target = dir / "elsewhere\\keep.txt";
    std::string links[2] = {dir / "file-link.txt", dir / "folder-link"};

    void SetUp() override
    {
        testsupport::make_dirs(dir / "elsewhere");
        write_bytes(target, "sentinel");
    }
    void TearDown() override
    {
        for (const auto& link : links)
            testsupport::remove_host_link(link);
    }
};

TEST_F(WriteNewFile, TakesThePlaceOfAnOldFileWhollyAndCreatesAMissingOne)
{
    const std::string old = dir / "PMsearch.bat";
    write_bytes(old, "a much longer old content\r\n");
    SetFileAttributesA(old.c_str(), FILE_ATTRIBUTE_HIDDEN);
    rt::write_new_file(old, "new");
    EXPECT_EQ(read_bytes(old), "new");
    EXPECT_EQ(rt::get_attr(old) & rt::attrHidden, 0u);

    rt::write_new_file(dir / "missing.txt", "");
    EXPECT_TRUE(rt::file_exists(dir / "missing.txt"));
    EXPECT_EQ(rt::file_len(dir / "missing.txt"), 0);
}

TEST_F(WriteNewFile, ALinkAFolderOrAReadOnlyFileAtThePathIsRefusedAndStays)
{
    ASSERT_TRUE(testsupport::make_host_link(links[0], target));
    ASSERT_TRUE(testsupport::make_host_link(links[1], dir / "elsewhere"));
    EXPECT_EQ(error_of([&] { rt::write_new_file(links[0], "written through"); }), 75);
    EXPECT_EQ(error_of([&] { rt::write_new_file(links[1], "written through"); }), 75);
    EXPECT_EQ(read_bytes(target), "sentinel");
    EXPECT_EQ(read_bytes(links[0]), "sentinel");   // the link itself is still there
    EXPECT_TRUE(rt::file_exists(dir / "folder-link\\keep.txt"));

    testsupport::make_dirs(dir / "folder");
    write_bytes(dir / "folder\\inside.txt", "in");
    EXPECT_EQ(error_of([&] { rt::write_new_file(dir / "folder", ""); }), 75);
    EXPECT_EQ(read_bytes(dir / "folder\\inside.txt"), "in");

    const std::string read_only = dir / "ro.txt";
    write_bytes(read_only, "kept");
    SetFileAttributesA(read_only.c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(error_of([&] { rt::write_new_file(read_only, "new"); }), 75);
    EXPECT_EQ(read_bytes(read_only), "kept");
    SetFileAttributesA(read_only.c_str(), FILE_ATTRIBUTE_NORMAL);

    EXPECT_EQ(error_of([] { rt::write_new_file("relative.txt", "x"); }), 52);
    EXPECT_FALSE(rt::path_exists("relative.txt"));
}

TEST(ReadFileFrom, GivesWhatFollowsTheOffsetAndRestartsAtTheStartOfAShrunkFile)
{
    testsupport::ScratchDir dir;
    const std::string path = dir / "listing.txt";
    EXPECT_FALSE(rt::read_file_from(path, 0).has_value());

    write_bytes(path, "C:\\one\r\nC:\\two\r\n");
    auto read = rt::read_file_from(path, 8);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->from, 8u);
    EXPECT_EQ(read->bytes, "C:\\two\r\n");
    read = rt::read_file_from(path, 16);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->from, 16u);
    EXPECT_EQ(read->bytes, "");

    write_bytes(path, "D:\\\r\n");
    read = rt::read_file_from(path, 16);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->from, 0u);
    EXPECT_EQ(read->bytes, "D:\\\r\n");

    EXPECT_FALSE(rt::read_file_from(dir.path(), 0).has_value());   // a folder has no bytes to read
}

} // namespace

namespace {

TEST(PathForms, AShortOrRelativePathComesBackInItsFullLongPlainForm)
{
    testsupport::ScratchDir dir;
    const std::string folder = dir / "A Folder With A Long Name";
    testsupport::make_dirs(folder);
    wchar_t short_form[MAX_PATH];
    const std::wstring wide(folder.begin(), folder.end());
    ASSERT_GT(GetShortPathNameW(wide.c_str(), short_form, MAX_PATH), 0u);
    const std::string short_path(short_form, short_form + wcslen(short_form));
    ASSERT_NE(short_path, folder);   // the system made a short name to test with
    EXPECT_EQ(rt::long_path(short_path), folder);
    EXPECT_FALSE(rt::long_path(dir / "missing").has_value());

    const std::string saved = rt::current_folder();
    ASSERT_TRUE(rt::set_current_folder(folder));
    EXPECT_EQ(rt::full_path("..\\.\\x\\y"), dir / "x\\y");
    EXPECT_TRUE(rt::set_current_folder(saved));
    EXPECT_EQ(rt::current_folder(), saved);
    EXPECT_FALSE(rt::set_current_folder(dir / "missing"));
}

} // namespace
