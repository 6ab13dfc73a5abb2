// The test prefix must not reach the host's files, and shows names in every script.
#include <windows.h>
#include <cstdint>
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

// The prefix, the build tree P:, the scratch S:, the scratch drives D:, E:, N: and R: (folders
// of S:), and V:, W: and X:, other names for the prefix's profile, Windows and Program Files.
constexpr const char* kPrefixDrives = "CPSDENRVWX";

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

namespace {

// The ink of one character drawn in the font, as rows of 0 and 1.
std::string ink_of(HFONT font, wchar_t character)
{
    constexpr int kSize = 40;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = kSize;
    info.bmiHeader.biHeight = -kSize;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old_bitmap = SelectObject(dc, bitmap);
    HGDIOBJ old_font = SelectObject(dc, font);
    RECT all{0, 0, kSize, kSize};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    SetTextColor(dc, RGB(0, 0, 0));
    SetBkMode(dc, TRANSPARENT);
    TextOutW(dc, 4, 4, &character, 1);
    GdiFlush();
    std::string ink;
    const auto* pixels = static_cast<const uint32_t*>(bits);
    for (int i = 0; i < kSize * kSize; ++i)
        ink += (pixels[i] & 0xFFFFFF) == 0xFFFFFF ? '0' : '1';
    SelectObject(dc, old_font);
    SelectObject(dc, old_bitmap);
    DeleteObject(bitmap);
    DeleteDC(dc);
    return ink;
}

} // namespace

// A name in Japanese script shows as its letters in the fonts of the windows, as a Windows
// system shows it: not as three equal boxes of a missing letter.
TEST(TestPrefix, TheWindowsFontsDrawJapaneseLetters)
{
    const HDC screen = GetDC(nullptr);
    const int height = -MulDiv(8, GetDeviceCaps(screen, LOGPIXELSY), 72);
    ReleaseDC(nullptr, screen);
    for (const wchar_t* face : {L"MS Sans Serif", L"Tahoma", L"MS Shell Dlg", L""}) {
        SCOPED_TRACE(rt::utf8(face));
        HFONT font = *face ? CreateFontW(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                         OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                         DEFAULT_PITCH | FF_DONTCARE, face)
                           : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
        const std::string day = ink_of(font, L'\u65E5'), book = ink_of(font, L'\u672C'),
                          word = ink_of(font, L'\u8A9E');
        EXPECT_NE(day.find('1'), std::string::npos);
        EXPECT_TRUE(day != book && book != word) << "the three letters are drawn alike: boxes";
        if (*face)
            DeleteObject(font);
    }
}
