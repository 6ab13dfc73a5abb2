// The Windows-tools window and the guide window.
#include "lock_windows_fixture.h"
#include <windows.h>
#include "common/settings_file.h"
#include "runtime/services.h"
#include "runtime/filesys.h"
#include "runtime/unicode.h"
#include "support/environment.h"

using namespace pellmaris;

namespace {

struct ToolRow {
    rt::Image Form11::*image;
    const char* tip;
    const char* program;
    const char* not_found;
    long left, top;
};

const ToolRow kRows[] = {
    {&Form11::Image1, "Disk Cleanup", "cleanmgr.exe", "CleanManger Not Found", 600, 240},
    {&Form11::Image2, "Defragment", "dfrgui.exe", "Defragment Not Found", 4800, 240},
    {&Form11::Image3, "System Configuration", "msconfig.exe", "Msconfig Not Found", 9000, 240},
    {&Form11::Image4, "System Performance", "perfmon.exe", "Performance Monitor Not Found", 600, 3360},
    {&Form11::Image5, "DirectX", "dxdiag.exe", "DirectX Not Found", 4800, 3360},
    {&Form11::Image6, "Registry Edit", "regedt32.exe", "Registry Edit Not Found", 9000, 3360},
};

std::string system_folder()
{
    wchar_t buffer[MAX_PATH];
    return rt::utf8(std::wstring(buffer, GetSystemDirectoryW(buffer, MAX_PATH)));
}

class ToolsWindow : public locktest::LockWindows {
protected:
    Form11& open(const std::string& home_drive)
    {
        app->Form1.home_drive = home_drive;
        app->Form11.Show();
        return app->Form11;
    }
    static std::string in_system_folder(const char* program) { return system_folder() + "\\" + program; }
};

TEST_F(ToolsWindow, TheIconsTakeTheSizeOfLine14AtTheirDesignPlaces)
{
    set_line(kToolIconSize, "600");
    Form11& f = open("C:");
    EXPECT_EQ(f.Caption(), "Pellmaris");
    EXPECT_EQ(f.Frame1.Caption(), "Windows Tools");
    for (const ToolRow& row : kRows) {
        rt::Image& image = f.*row.image;
        SCOPED_TRACE(image.Name());
        EXPECT_EQ(image.Container(), &f.Frame1);
        EXPECT_EQ(image.Left(), row.left);
        EXPECT_EQ(image.Top(), row.top);
        EXPECT_EQ(image.Width(), 600);
        EXPECT_EQ(image.Height(), 600);
        EXPECT_EQ(image.ToolTipText(), row.tip);
        EXPECT_TRUE(image.HasPicture());
    }
    f.Unload();

    set_line(kToolIconSize, "3090");
    EXPECT_EQ(open("C:").Image6.Width(), 3090);
    f.Unload();
    set_line(kToolIconSize, "big");   // no number: the shipped size
    EXPECT_EQ(open("C:").Image3.Height(), 1500);
    f.Unload();
    set_line(kToolIconSize, "-40");   // no size at all: the shipped size
    EXPECT_EQ(open("C:").Image3.Height(), 1500);
    f.Unload();
    set_line(kToolIconSize, "0.5");   // would round to an icon of no size
    EXPECT_EQ(open("C:").Image3.Height(), 1500);
    f.Unload();
    set_line(kToolIconSize, "3500");   // the rows would overlap and the lower one leave the frame
    EXPECT_EQ(open("C:").Image1.Height(), 1500);
    EXPECT_LE(f.Image4.Top() + f.Image4.Height(), f.Frame1.Height());
    f.Unload();
    testsupport::remove_tree(dir / kSettingsFile);
    EXPECT_EQ(open("C:").Image1.Width(), 1500);
}

// On company machines the home drive is often a share others can write: programs there named
// like the tools never run, whether the home drive names it or it is the current drive.
TEST_F(ToolsWindow, EachIconStartsItsProgramFromTheSystemFolderOnly)
{
    const std::string decoys = "R:\\Windows\\System32";
    testsupport::make_dirs(decoys);
    struct Removed {
        ~Removed() { testsupport::remove_tree("R:\\Windows"); }
    } removed;
    for (const ToolRow& row : kRows)
        testsupport::write_bytes(decoys + "\\" + row.program, "MZ decoy");
    testsupport::ScopedEnvironment environment;
    environment.set("HOMEDRIVE", "R:");
    rt::CurrentFolderKept kept;
    for (const char* drive : {"R:", ""}) {   // none: a path from the current drive's root
        SCOPED_TRACE(drive);
        ASSERT_TRUE(rt::set_current_folder("R:\\"));
        fakes.shell->opened.clear();
        Form11& f = open(drive);
        for (const ToolRow& row : kRows)
            click(f.*row.image);
        ASSERT_EQ(fakes.shell->opened.size(), 6u);
        for (size_t i = 0; i < 6; ++i) {
            EXPECT_EQ(fakes.shell->opened[i].file, system_folder() + "\\" + kRows[i].program);
            EXPECT_EQ(fakes.shell->opened[i].style, rt::vbMinimizedFocus);
        }
        f.Unload();
    }
    EXPECT_TRUE(fakes.dialogs->prompts.empty());
    EXPECT_TRUE(fakes.processes->started.empty());   // never a bare command line
}

TEST_F(ToolsWindow, AToolFoundNowhereShowsItsOwnMessageAndTheOthersStillStart)
{
    Form11& f = open("C:");
    for (const ToolRow& row : kRows) {
        SCOPED_TRACE(row.program);
        fakes.shell->results.clear();
        fakes.shell->results[in_system_folder(row.program)] = rt::ShellStarter::NotFound;
        fakes.dialogs->prompts.clear();
        click(f.*row.image);
        ASSERT_EQ(fakes.dialogs->prompts.size(), 1u);
        EXPECT_EQ(fakes.dialogs->prompts[0].text, row.not_found);
        EXPECT_EQ(fakes.dialogs->prompts[0].style, rt::vbOKOnly);
        EXPECT_EQ(fakes.dialogs->prompts[0].title, "Pellmaris");
        // The icon beside it still starts, twice when clicked twice.
        const size_t before = fakes.shell->opened.size();
        rt::Image& other = f.*kRows[(&row - kRows + 1) % 6].image;
        click(other);
        click(other);
        EXPECT_EQ(fakes.shell->opened.size(), before + 2);
        EXPECT_EQ(fakes.dialogs->prompts.size(), 1u);
    }
    EXPECT_TRUE(f.Visible());
}

TEST_F(ToolsWindow, ADeclinedElevationSaysNothingAndAToolThatWillNotStartSaysSo)
{
    Form11& f = open("C:");
    fakes.shell->results[in_system_folder("regedt32.exe")] = rt::ShellStarter::Declined;
    click(f.Image6);
    EXPECT_EQ(fakes.shell->opened.size(), 1u);   // no second try either
    EXPECT_TRUE(fakes.dialogs->prompts.empty());

    fakes.shell->results[in_system_folder("msconfig.exe")] = rt::ShellStarter::Failed;
    click(f.Image3);
    EXPECT_EQ(messages("Msconfig Not Found"), 1);
}

// The real shell seam tells a missing program from one that would start.
TEST(Shell, AMissingProgramIsNotFound)
{
    testsupport::ScratchDir scratch;
    auto shell = rt::make_real_shell();
    EXPECT_EQ(shell->open(scratch / "none.exe", rt::vbMinimizedFocus), rt::ShellStarter::NotFound);
    EXPECT_EQ(shell->open(scratch / "no folder\\none.exe", rt::vbMinimizedFocus), rt::ShellStarter::NotFound);
}

class GuideWindow : public locktest::LockWindows {};

TEST_F(GuideWindow, ShowsThePictureAHintAndOkCloses)
{
    set_line(kShowGuideWindow, "1");
    const std::string settings_before = settings_bytes();
    info1& f = app->info1;
    f.show_if_enabled();
    ASSERT_TRUE(f.Visible());
    EXPECT_EQ(f.Caption(), "Pellmaris - Information");
    EXPECT_EQ(f.ScaleWidth(), 6690);
    EXPECT_EQ(f.ScaleHeight(), 4815);
    EXPECT_EQ(f.Label1.Caption(), "Disable In Settings");
    EXPECT_EQ(f.Label1.FontName(), "MS Sans Serif");
    EXPECT_EQ(f.Label1.Left(), 120);
    EXPECT_EQ(f.Label1.Top(), 4440);
    EXPECT_EQ(f.Command1.Caption(), "Ok");
    EXPECT_EQ(f.Command1.Left(), 5160);
    EXPECT_EQ(f.Command1.Top(), 4440);
    click(f.Command1);
    EXPECT_FALSE(f.is_loaded());
    EXPECT_EQ(settings_bytes(), settings_before);   // whether it shows again is the settings window's matter
}

TEST_F(GuideWindow, StaysAwayUnlessLine5IsOne)
{
    for (const char* value : {"0", "2", "0.6", "1.5"}) {
        set_line(kShowGuideWindow, value);
        app->info1.show_if_enabled();
        EXPECT_FALSE(app->info1.is_loaded()) << value;
    }
}

} // namespace
