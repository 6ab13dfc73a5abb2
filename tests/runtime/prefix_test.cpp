// The test prefix must not reach the host's files.
#include <windows.h>
#include <gtest/gtest.h>
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
