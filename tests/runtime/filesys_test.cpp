// The file system on real files: listing masks, links, the refusing delete,
// and the error numbers of missing files and folders.
#include <windows.h>
#include <algorithm>
#include <set>
#include <string>
#include <vector>
#include <gtest/gtest.h>
#include "runtime/filesys.h"
#include "support/host_link.h"
#include "support/scratch.h"
#include "support/raised.h"

using testsupport::write_bytes;
using Names = std::set<std::string>;

namespace {

using testsupport::HostLink;

Names names(const std::string& pattern, uint32_t mask)
{
    Names out;
    for (const auto& e : rt::list_dir(pattern, mask))
        out.insert(e.name);
    return out;
}

bool drive_exists(char letter) { return (GetLogicalDrives() & (1u << (letter - 'A'))) != 0; }


// A folder with one file or folder of each attribute class.
class FileSysTest : public testing::Test {
protected:
    void SetUp() override
    {
        file("plain.txt", "12345", 0);
        file("ro.txt", "r", FILE_ATTRIBUTE_READONLY);
        file("hid.txt", "h", FILE_ATTRIBUTE_HIDDEN);
        file("rohid.txt", "rh", FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
        file("sys.txt", "s", FILE_ATTRIBUTE_SYSTEM);
        file("arch.txt", "a", FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED);
        CreateDirectoryA(path("sub").c_str(), nullptr);
        CreateDirectoryA(path(".dot").c_str(), nullptr);   // hidden under Wine by its name
        CreateDirectoryA(path("hsub").c_str(), nullptr);
        SetFileAttributesA(path("hsub").c_str(), FILE_ATTRIBUTE_HIDDEN);
    }

    void file(const std::string& name, const std::string& bytes, DWORD attributes)
    {
        write_bytes(path(name), bytes);
        if (attributes)
            SetFileAttributesA(path(name).c_str(), attributes);
    }

    std::string path(const std::string& name) const { return dir / name; }
    std::string all() const { return dir / "*"; }

    testsupport::ScratchDir dir;
};

} // namespace

TEST_F(FileSysTest, MasksAdmitOnlyEntriesWhoseBitsLieWithin)
{
    EXPECT_EQ(names(all(), 0), (Names{"plain.txt", "arch.txt"}));
    EXPECT_EQ(names(all(), 1), (Names{"plain.txt", "arch.txt", "ro.txt"}));
    EXPECT_EQ(names(all(), 2), (Names{"plain.txt", "arch.txt", "hid.txt"}));
    EXPECT_EQ(names(all(), 3), (Names{"plain.txt", "arch.txt", "ro.txt", "hid.txt", "rohid.txt"}));
    EXPECT_EQ(names(all(), 4), (Names{"plain.txt", "arch.txt", "sys.txt"}));
    EXPECT_EQ(names(all(), 16), (Names{".", "..", "plain.txt", "arch.txt", "sub"}));
    EXPECT_EQ(names(all(), 18), (Names{".", "..", "plain.txt", "arch.txt", "hid.txt", "sub", ".dot", "hsub"}));
    EXPECT_EQ(names(dir / "*.txt", 16), (Names{"plain.txt", "arch.txt"}));
}

TEST_F(FileSysTest, EntriesCarryAttributesAndLengths)
{
    auto entries = rt::list_dir(all(), 23);
    auto find = [&](const std::string& n) {
        return *std::find_if(entries.begin(), entries.end(), [&](const rt::DirEntry& e) { return e.name == n; });
    };
    EXPECT_EQ(find("plain.txt").length, 5);
    EXPECT_EQ(find("plain.txt").attributes & (rt::attrReadOnly | rt::attrHidden | rt::attrSystem), 0u);
    EXPECT_EQ(find("rohid.txt").attributes & 3u, 3u);
    EXPECT_EQ(find("sys.txt").attributes & rt::attrSystem, rt::attrSystem);
    EXPECT_EQ(find("sub").attributes & rt::attrDirectory, rt::attrDirectory);
    EXPECT_EQ(find("sub").length, 0);
    EXPECT_EQ(find("hsub").attributes & (rt::attrDirectory | rt::attrHidden), 18u);
}

TEST_F(FileSysTest, LengthsBeyondFourGigabytesStayWhole)
{
    HANDLE h = CreateFileA(path("big.bin").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    LARGE_INTEGER size;
    size.QuadPart = (int64_t(1) << 32) + 7;   // sparse on the host
    SetFilePointerEx(h, size, nullptr, FILE_BEGIN);
    bool sized = SetEndOfFile(h) != 0;
    CloseHandle(h);
    if (!sized)
        GTEST_SKIP() << "the scratch drive cannot hold a sparse 4 GB file";
    EXPECT_EQ(rt::file_len(path("big.bin")), size.QuadPart);
    auto entries = rt::list_dir(path("big.bin"), 0);
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].length, size.QuadPart);
}

TEST_F(FileSysTest, APatternEndingInABackslashListsTheFolder)
{
    EXPECT_EQ(names(dir.path() + "\\", 0), (Names{"plain.txt", "arch.txt"}));
    // An exact path probes that one entry, under the mask.
    EXPECT_EQ(rt::dir_first(path("plain.txt"), 0), "plain.txt");
    EXPECT_EQ(rt::dir_first(path("ro.txt"), 0), "");
    EXPECT_EQ(rt::dir_first(path("ro.txt"), 1), "ro.txt");
    EXPECT_EQ(rt::dir_first(path("sub"), 0), "");
    EXPECT_EQ(rt::dir_first(path("sub"), 16), "sub");
}

TEST_F(FileSysTest, AMissingPathListsNothingWithoutError)
{
    EXPECT_TRUE(rt::list_dir(path("missing.txt"), 23).empty());
    EXPECT_TRUE(rt::list_dir(path("nofolder\\*"), 23).empty());
    EXPECT_TRUE(rt::list_dir(path("nofolder\\deeper\\"), 23).empty());
    EXPECT_TRUE(rt::list_dir(path("plain.txt\\"), 23).empty());
    EXPECT_EQ(rt::dir_first(path("nofolder\\x.txt"), 0), "");
    ASSERT_FALSE(drive_exists('Q'));
    EXPECT_TRUE(rt::list_dir("Q:\\Temp\\", 23).empty());
}

TEST_F(FileSysTest, AHostLinkShowsAsAFolderWithTheReparseBit)
{
    HostLink host_link(path("link"), path("sub"));
    ASSERT_TRUE(host_link.made());
    uint32_t a = rt::get_attr(path("link"));
    EXPECT_EQ(a & rt::attrDirectory, rt::attrDirectory);
    EXPECT_EQ(a & rt::attrReparsePoint, rt::attrReparsePoint);
    auto entries = rt::list_dir(all(), 16);
    auto link = std::find_if(entries.begin(), entries.end(), [](const rt::DirEntry& e) { return e.name == "link"; });
    ASSERT_NE(link, entries.end());
    EXPECT_EQ(link->attributes & (rt::attrDirectory | rt::attrReparsePoint), 16u | 1024u);
}

TEST_F(FileSysTest, KillFileDeletesOnlyAPlainFile)
{
    rt::kill_file(path("plain.txt"));
    EXPECT_FALSE(rt::file_exists(path("plain.txt")));
    rt::kill_file(path("arch.txt"));   // archive and not-content-indexed do not protect
    EXPECT_FALSE(rt::file_exists(path("arch.txt")));
}

TEST_F(FileSysTest, KillFileRefusesProtectedFilesAndLeavesThem)
{
    EXPECT_EQ(error_of([&] { rt::kill_file(path("ro.txt")); }), rt::errPathFileAccess);
    EXPECT_EQ(error_of([&] { rt::kill_file(path("hid.txt")); }), rt::errFileNotFound);
    EXPECT_EQ(error_of([&] { rt::kill_file(path("sys.txt")); }), rt::errFileNotFound);
    EXPECT_EQ(error_of([&] { rt::kill_file(path("rohid.txt")); }), rt::errFileNotFound);
    EXPECT_EQ(error_of([&] { rt::kill_file(path("sub")); }), rt::errFileNotFound);
    for (const char* n : {"ro.txt", "hid.txt", "sys.txt", "rohid.txt"})
        EXPECT_TRUE(rt::file_exists(path(n))) << n;
    EXPECT_TRUE(rt::path_exists(path("sub")));

    // Made normal, the same file goes.
    rt::set_attr(path("hid.txt"), rt::attrNormal);
    rt::kill_file(path("hid.txt"));
    EXPECT_FALSE(rt::file_exists(path("hid.txt")));
}

TEST_F(FileSysTest, KillFileNeverExpandsWildcards)
{
    EXPECT_EQ(error_of([&] { rt::kill_file(dir / "*.txt"); }), rt::errBadFileNumber);
    EXPECT_EQ(error_of([&] { rt::kill_file(dir / "plain.tx?"); }), rt::errBadFileNumber);
    EXPECT_TRUE(rt::file_exists(path("plain.txt")));
    EXPECT_TRUE(rt::file_exists(path("arch.txt")));
}

TEST_F(FileSysTest, MissingFilesAndFoldersRaise53And76)
{
    std::string missing_file = path("missing.txt"), in_missing_folder = path("nofolder\\x.txt");
    EXPECT_EQ(error_of([&] { rt::kill_file(missing_file); }), rt::errFileNotFound);
    EXPECT_EQ(error_of([&] { rt::kill_file(in_missing_folder); }), rt::errPathNotFound);
    EXPECT_EQ(error_of([&] { rt::get_attr(missing_file); }), rt::errFileNotFound);
    EXPECT_EQ(error_of([&] { rt::get_attr(in_missing_folder); }), rt::errPathNotFound);
    EXPECT_EQ(error_of([&] { rt::file_len(missing_file); }), rt::errFileNotFound);
    EXPECT_EQ(error_of([&] { rt::file_len(in_missing_folder); }), rt::errPathNotFound);
    EXPECT_EQ(error_of([&] { rt::set_attr(missing_file, 0); }), rt::errFileNotFound);
    EXPECT_FALSE(rt::file_exists(missing_file));
    EXPECT_FALSE(rt::path_exists(in_missing_folder));
}

TEST_F(FileSysTest, AttributesRoundTripWithoutTheNormalBit)
{
    rt::set_attr(path("plain.txt"), rt::attrReadOnly | rt::attrHidden);
    EXPECT_EQ(rt::get_attr(path("plain.txt")) & 7u, 3u);
    rt::set_attr(path("plain.txt"), rt::attrNormal);
    uint32_t a = rt::get_attr(path("plain.txt"));
    EXPECT_TRUE(a == 0 || a == rt::attrArchive) << a;   // a class-0 file, never 128
    EXPECT_EQ(rt::get_attr(path("sub")) & rt::attrDirectory, rt::attrDirectory);
    EXPECT_TRUE(rt::file_exists(path("plain.txt")));
    EXPECT_FALSE(rt::file_exists(path("sub")));
    EXPECT_TRUE(rt::path_exists(path("sub")));
}

TEST_F(FileSysTest, FoldersAreMadeAndRemovedOnlyWhenEmpty)
{
    write_bytes(path("sub\\inside.txt"), "x");
    EXPECT_EQ(error_of([&] { rt::remove_dir(path("sub")); }), rt::errPathFileAccess);
    EXPECT_TRUE(rt::path_exists(path("sub\\inside.txt")));
    EXPECT_EQ(error_of([&] { rt::remove_dir(path("nofolder")); }), rt::errPathNotFound);

    rt::make_dir(path("new"));
    EXPECT_TRUE(rt::path_exists(path("new")));
    EXPECT_EQ(error_of([&] { rt::make_dir(path("new")); }), rt::errPathFileAccess);
    EXPECT_EQ(error_of([&] { rt::make_dir(path("nofolder\\new")); }), rt::errPathNotFound);
    rt::remove_dir(path("new") + "\\");
    EXPECT_FALSE(rt::path_exists(path("new")));
}

TEST(FileSys, ChangeDriveKnowsMissingDrives)
{
    rt::change_drive("S");
    char cwd[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, cwd);
    EXPECT_EQ(cwd[0], 'S');
    rt::change_drive("p:\\stage");
    GetCurrentDirectoryA(MAX_PATH, cwd);
    EXPECT_EQ(cwd[0], 'P');
    ASSERT_FALSE(drive_exists('Q'));
    EXPECT_EQ(error_of([] { rt::change_drive("Q"); }), rt::errDeviceUnavailable);
    EXPECT_EQ(error_of([] { rt::change_drive("1"); }), rt::errDeviceUnavailable);
}

TEST(FileSys, FullyQualifiedPathsHaveADriveRootOrAShare)
{
    for (const char* yes : {"C:\\", "c:\\Windows\\Temp", "\\\\server\\share", "\\\\server\\share\\dir\\"})
        EXPECT_TRUE(rt::is_fully_qualified(yes)) << yes;
    for (const char* no : {"", "C:", "C:Temp", "Temp\\x", "\\Temp", "\\\\server", "\\\\server\\", "\\\\\\share",
                           "1:\\", "U \\AppData\\"})
        EXPECT_FALSE(rt::is_fully_qualified(no)) << no;
}

TEST(WidePath, OneLongFormForDrivesSharesAndRelativePaths)
{
    EXPECT_EQ(rt::wide_path("C:\\a\\b.txt"), L"\\\\?\\C:\\a\\b.txt");
    EXPECT_EQ(rt::wide_path("C:\\"), L"\\\\?\\C:\\");
    EXPECT_EQ(rt::wide_path("C:/a//b/"), L"\\\\?\\C:\\a\\b\\");
    // Dots and blanks that end a name are part of it; "." and ".." steps are resolved as text.
    EXPECT_EQ(rt::wide_path("C:\\a\\trail. \\.\\x\\..\\CON"), L"\\\\?\\C:\\a\\trail. \\CON");
    EXPECT_EQ(rt::wide_path("C:\\..\\..\\x"), L"\\\\?\\C:\\x");
    EXPECT_EQ(rt::wide_path("\\\\server\\share\\dir\\f"), L"\\\\?\\UNC\\server\\share\\dir\\f");
    EXPECT_EQ(rt::wide_path("\\\\?\\C:\\as is\\.."), L"\\\\?\\C:\\as is\\..");
    EXPECT_EQ(rt::wide_path("S:\\\u65e5\u672c"), L"\\\\?\\S:\\\u65e5\u672c");
    wchar_t cwd[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, cwd);
    std::wstring expected = L"\\\\?\\" + std::wstring(cwd);
    if (expected.back() != L'\\')
        expected += L'\\';
    EXPECT_EQ(rt::wide_path("rel.txt"), expected + L"rel.txt");
    // Past what the system allows: refused, never cut.
    EXPECT_EQ(error_of([] { rt::wide_path("C:\\" + std::string(33000, 'x')); }), rt::errBadFileNumber);
}

TEST(PlainNames, OnlyANameThatIsOneStepIsUsedAsOne)
{
    for (const char* name : {"a.txt", "trail.", "trail ", "CON", "\xe2\x88\x95", ".hidden", "a..b"})
        EXPECT_TRUE(rt::is_plain_name(name)) << name;
    for (const char* name : {"", ".", "..", "a\\b", "a/b", "c:x", "tab\there", "del\x7f"})
        EXPECT_FALSE(rt::is_plain_name(name)) << name;
    rt::DirEntry no_utf8{"bad\xef\xbf\xbd", 0, 0, false};
    EXPECT_FALSE(rt::is_usable(no_utf8));
}

TEST_F(FileSysTest, ACheckedFileGoesOnlyWhileItsFolderIsStillWhereItWasChecked)
{
    CreateDirectoryA(path("real").c_str(), nullptr);
    CreateDirectoryA(path("elsewhere").c_str(), nullptr);
    write_bytes(path("real\\setup.log"), "junk");
    write_bytes(path("elsewhere\\setup.log"), "keep me");
    const rt::DeletedFile deleted = rt::delete_file_at_final_path(path("real\\setup.log"), nullptr);
    EXPECT_EQ(deleted.length, 4);
    EXPECT_FALSE(rt::file_exists(path("real\\setup.log")));

    // The checked folder is swapped for a link before the deletion: nothing goes.
    ASSERT_TRUE(RemoveDirectoryA(path("real").c_str()));
    HostLink swapped(path("real"), path("elsewhere"));
    ASSERT_TRUE(swapped.made());
    EXPECT_EQ(error_of([&] { rt::delete_file_at_final_path(path("real\\setup.log"), nullptr); }), 75);
    EXPECT_EQ(testsupport::read_bytes(path("elsewhere\\setup.log")), "keep me");
}
