// The test prefix must not reach the host's files.
#include <windows.h>
#include <string>
#include <vector>
#include <gtest/gtest.h>
#include "runtime/filesys.h"
#include "runtime/unicode.h"
#include "support/scratch.h"

TEST(TestPrefix, HasNoDriveForTheHostRoot)
{
    EXPECT_EQ(GetFileAttributesA("Z:\\"), INVALID_FILE_ATTRIBUTES);
    DWORD drives = GetLogicalDrives();
    EXPECT_EQ(drives & (1u << ('Z' - 'A')), 0u);
}

TEST(TestPrefix, ScratchFolderIsFreshAndWritable)
{
    testsupport::ScratchDir dir;
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((dir.path() + "\\*").c_str(), &fd);
    int entries = 0;
    if (h != INVALID_HANDLE_VALUE) {
        do {
            std::string n = fd.cFileName;
            if (n != "." && n != "..")
                ++entries;
        } while (FindNextFileA(h, &fd));
        FindClose(h);
    }
    EXPECT_EQ(entries, 0);
    testsupport::write_bytes(dir / "a.txt", "x");
    EXPECT_EQ(testsupport::read_bytes(dir / "a.txt"), "x");
}

namespace {

bool starts_with_any_drive(const std::string& path, const char* drives)
{
    for (const char* d = drives; *d; ++d)
        if (path.size() >= 3 && (path[0] == *d || path[0] == *d + ('a' - 'A')) && path[1] == ':' && path[2] == '\\')
            return true;
    return false;
}

// The final path of anything in the prefix; "" when it cannot be opened.
std::string final_path_of_entry(const std::string& path)
{
    HANDLE h = CreateFileW(rt::wide_path(path).c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                           nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return "";
    wchar_t buffer[4096];
    DWORD n = GetFinalPathNameByHandleW(h, buffer, 4096, VOLUME_NAME_DOS);
    CloseHandle(h);
    std::string out = n > 0 && n < 4096 ? rt::utf8(std::wstring(buffer, n)) : "";
    return out.rfind("\\\\?\\", 0) == 0 ? out.substr(4) : out;
}

} // namespace

// The prefix, the build tree P:, the scratch S: and the scratch drives D:, E:, N: and R:
// (folders of S:).
constexpr const char* kPrefixDrives = "CPSDENR";

TEST(TestPrefix, OnlyTheBuildTreeAndTheScratchFolderHaveDrives)
{
    DWORD allowed = 0;
    for (const char* d = kPrefixDrives; *d; ++d)
        allowed |= 1u << (*d - 'A');
    EXPECT_EQ(GetLogicalDrives() & ~allowed, 0u);
}

// Wine links the profile's shell folders to the host user's home; the test prefix must not:
// everything in it, followed through any link, ends on one of the prefix's own drives.
TEST(TestPrefix, NoPathOfThePrefixResolvesOutsideIt)
{
    std::vector<std::string> folders{"C:\\"};
    for (std::size_t i = 0; i < folders.size(); ++i) {
        const bool in_profiles = folders[i].rfind("C:\\users\\", 0) == 0;
        for (const rt::DirEntry& e : rt::list_dir(folders[i], rt::attrReadOnly | rt::attrHidden | rt::attrSystem | rt::attrDirectory)) {
            if (e.name == "." || e.name == "..")
                continue;
            const std::string path = folders[i] + e.name;
            const bool folder = (e.attributes & rt::attrDirectory) != 0;
            const bool link = (e.attributes & rt::attrReparsePoint) != 0;
            if (link || folder || in_profiles) {
                const std::string final = final_path_of_entry(path);
                EXPECT_TRUE(starts_with_any_drive(final, kPrefixDrives)) << path << " -> " << final;
            }
            if (folder && !link)
                folders.push_back(path + "\\");
        }
    }
    EXPECT_GT(folders.size(), 50u);   // the walk saw the prefix
}
