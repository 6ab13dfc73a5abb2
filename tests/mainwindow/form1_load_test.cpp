#include <gtest/gtest.h>
#include <windows.h>
#include <memory>
#include "app/Program.h"
#include "runtime/text.h"
#include "support/fakes.h"
#include "support/environment.h"
#include "support/program_folder.h"
#include "support/scratch.h"

using namespace pellmaris;
using testsupport::ScratchDir;

namespace {

const char* const kAreaOptionsMissing =
    "The file containing area's to be cleaned is missing\nPlease select [ADVANCED] button";

const char* const kSkinPictures[] = {
    "fullclean_off.jpg", "fullclean_on.jpg", "gamer_off.jpg", "gamer_on.jpg", "internet_off.jpg", "internet_on.jpg",
    "temp_off.jpg",      "temp_on.jpg",      "advanced_off.jpg", "advanced_on.jpg", "back.jpg",
};

class Form1Load : public ::testing::Test, protected testsupport::ProgramFolder {
protected:
    Form1Load() : ProgramFolder("prog", {"settings.ini", "pmdb.lst", "info.ini"}) {}

    Program& program()
    {
        if (!program_)
            program_ = std::make_unique<Program>(testsupport::make_fake_system(folder, fakes));
        return *program_;
    }

    Form1& load()
    {
        program().Form1.Load();
        return program().Form1;
    }

    testsupport::Fakes fakes;

private:
    std::unique_ptr<Program> program_;
};

} // namespace

TEST_F(Form1Load, WelcomeTextIsTheLastRecordOfInfoIni)
{
    put("info.ini", "one\r\ntwo\r\nthree\r\n  four  \r\nfive\r\nsix\r\n");
    Form1& f = load();
    EXPECT_EQ(f.Label12.Caption(), "  four  ");
    EXPECT_EQ(f.Label19.Caption(), "five");
    EXPECT_EQ(f.Label22.Caption(), "six");
}

TEST_F(Form1Load, SetsTheVersionCaptionsAndResetsTheCleanState)
{
    Program& p = program();
    p.Form2.List1.AddItem("FULL CLEAN UP COMPLETE");
    p.Form1.scheduled_run = 1;
    p.Form1.deep_scan = 1;
    p.Form1.auto_clean_ticks = 7;
    Form1& f = load();

    EXPECT_EQ(f.Caption(), "Pellmaris        Version " + rt::version_text());
    EXPECT_EQ(f.Label13.Caption(), "Program Version " + rt::version_text());
    EXPECT_EQ(p.Form2.List1.ListCount(), 0);
    EXPECT_EQ(f.scheduled_run, 0);
    EXPECT_EQ(f.deep_scan, 0);
    EXPECT_EQ(f.auto_clean_ticks, 0);
    EXPECT_FALSE(f.Visible());
    EXPECT_TRUE(fakes.dialogs->prompts.empty());
}

TEST_F(Form1Load, LastCleanCaptionsComeFromTheLastRecordOfDateLst)
{
    put("date.lst", "d1\r\nt1\r\n1\r\n1.00   Bytes\r\n09/12/2026\r\n14:05:30\r\n42\r\n3.00   KBytes\r\n");
    Form1& f = load();
    EXPECT_EQ(f.Label7.Caption(), "Last Full Clean Done On 09/12/2026 at 14:05:30");
    EXPECT_EQ(f.Label8.Caption(), "Last Full Clean Results 42 Files Removed");
    EXPECT_EQ(f.Label10.Caption(), "Space Freed Last Full Clean 3.00   KBytes");
}

TEST_F(Form1Load, WithoutACompleteDateLstTheCaptionsSayNoCleanWasDone)
{
    // One whole record, then a second cut short: reading the second one fails.
    put("date.lst", "08/12/2026\r\n10:00:00\r\n5\r\n1.00   KBytes\r\n09/12/2026\r\n14:05:30\r\n");
    Form1& f = load();
    EXPECT_EQ(f.Label7.Caption(), "No Full Clean Done");
    EXPECT_EQ(f.Label8.Caption(), "No Full Clean Results");
    EXPECT_EQ(f.Label10.Caption(), "Space Freed Last Full Clean");
}

TEST_F(Form1Load, MissingAreaOptionsAreReportedOnce)
{
    remove("pmdb.lst");
    load();
    ASSERT_EQ(fakes.dialogs->prompts.size(), 1u);
    EXPECT_EQ(fakes.dialogs->prompts[0].text, kAreaOptionsMissing);
    EXPECT_EQ(fakes.dialogs->prompts[0].title, "Pellmaris");
    EXPECT_EQ(fakes.dialogs->prompts[0].style, rt::vbInformation);
}

TEST_F(Form1Load, DeletesTheErrorLog)
{
    put("PMerror.log", "Date: 01/01/26   Time: 10:00:00\r\n");
    load();
    EXPECT_EQ(GetFileAttributesA(file("PMerror.log").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(Form1Load, EnvironmentValuesComeFromTheProcessNotTheDump)
{
    testsupport::ScopedEnvironment environment;
    environment.set("HOMEDRIVE", "Q:");
    environment.set("USERPROFILE", "Q:\\Users\\me");
    put("orvane.dat", "HOMEDRIVE=H:\r\nPATH=C:\\Windows\r\nUSERPROFILE=H:\\Users\\ann\r\n");
    Form1& f = load();
    EXPECT_EQ(f.home_drive, "Q:");
    EXPECT_EQ(f.user_profile, "Q:\\Users\\me");
}

TEST_F(Form1Load, MissingStartFilesGiveAnOrderlyLoad)
{
    for (const char* name : {"info.ini", "settings.ini", "orvane.dat"})
        remove(name);
    testsupport::ScopedEnvironment environment;
    environment.set("HOMEDRIVE", "Q:");
    environment.set("USERPROFILE", "Q:\\Users\\me");
    Form1& f = load();
    EXPECT_EQ(f.Label12.Caption(), "");
    EXPECT_EQ(f.home_drive, "Q:");
    EXPECT_EQ(f.user_profile, "Q:\\Users\\me");
    EXPECT_EQ(f.Label13.Caption(), "Program Version " + rt::version_text());
    EXPECT_TRUE(fakes.dialogs->prompts.empty());
}

TEST_F(Form1Load, ClassicThemeLoadsTheSkinAndItsSize)
{
    testsupport::make_dirs(file("pellmarisgui"));
    for (const char* name : kSkinPictures)
        copy_shipped(std::string("pellmarisgui\\") + name);
    set_setting(13, "1");
    Form1& f = load();

    EXPECT_EQ(f.Width(), 9650);
    EXPECT_EQ(f.Height(), 6000);
    EXPECT_FALSE(f.Frame1.Visible());
    EXPECT_FALSE(f.Picture13.Visible());
    EXPECT_TRUE(f.Label17.Visible());
    for (rt::PictureBox* box : {&f.Picture1, &f.Picture10}) {
        EXPECT_TRUE(box->AutoSize());
        EXPECT_EQ(box->Width(), box->PictureWidth());
        EXPECT_EQ(box->Height(), box->PictureHeight());
    }
}

TEST_F(Form1Load, ClassicThemeWithoutItsPicturesStillLoads)
{
    set_setting(13, "1");
    Form1& f = load();
    EXPECT_EQ(f.Width(), 9650);
    EXPECT_TRUE(f.Picture1.HasPicture());
    EXPECT_EQ(f.Label13.Caption(), "Program Version " + rt::version_text());
}

TEST_F(Form1Load, NarrowLayoutMovesTheLinksAndFitsTheStatusLine)
{
    set_setting(2, "1");
    Form1& f = load();
    EXPECT_EQ(f.Width(), 8415);
    EXPECT_EQ(f.Picture11.Left(), 5760);
    EXPECT_EQ(f.Picture12.Left(), 5760);
    EXPECT_EQ(f.Label2.Width(), 8175);
    EXPECT_EQ(f.ProgressBar1.Width(), 8175);
    EXPECT_TRUE(f.Label17.Visible());
}

TEST_F(Form1Load, NarrowWidthReplacesTheClassicWidth)
{
    set_setting(2, "1");
    set_setting(13, "1");
    Form1& f = load();
    EXPECT_EQ(f.Width(), 8415);
    EXPECT_EQ(f.Height(), 6000);
}

namespace {

BYTE layered_alpha(HWND window)
{
    BYTE alpha = 0;
    DWORD flags = 0;
    GetLayeredWindowAttributes(window, nullptr, &alpha, &flags);
    return alpha;
}

bool is_layered(HWND window) { return (GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_LAYERED) != 0; }

} // namespace

TEST_F(Form1Load, TransparencyTakesItsAlphaFromLine8)
{
    set_setting(7, "1");
    set_setting(8, "128");
    Form1& f = load();
    ASSERT_TRUE(is_layered(f.hWnd()));
    EXPECT_EQ(layered_alpha(f.hWnd()), 128);
}

// Outside 0 to 255 the shipped alpha holds, so a damaged line never hides the window.
TEST_F(Form1Load, AnAlphaOutsideAByteUsesTheShippedAlpha)
{
    set_setting(7, "1");
    set_setting(8, "-5");
    EXPECT_EQ(layered_alpha(load().hWnd()), 200);
}

TEST_F(Form1Load, AnAlphaAboveAByteUsesTheShippedAlpha)
{
    set_setting(7, "1");
    set_setting(8, "300");
    EXPECT_EQ(layered_alpha(load().hWnd()), 200);
}

TEST_F(Form1Load, ZeroAlphaIsKeptAsTheUsersOwnChoice)
{
    set_setting(7, "1");
    set_setting(8, "0");
    EXPECT_EQ(layered_alpha(load().hWnd()), 0);
}

TEST_F(Form1Load, TransparencyWithoutANumberUsesTheShippedAlpha)
{
    set_setting(7, "1");
    set_setting(8, "half");
    EXPECT_EQ(layered_alpha(load().hWnd()), 200);
}

TEST_F(Form1Load, NoTransparencyLeavesTheWindowUnlayered)
{
    set_setting(8, "128");
    EXPECT_FALSE(is_layered(load().hWnd()));
}

// Through the start-up's hand-over, which shows the main window unless its load sent it
// to the notification area: the same start without the setting shows it.
TEST_F(Form1Load, TrayAtStartHidesTheWindowBehindTheIcon)
{
    for (const char* tray_at_start : {"0", "1"}) {
        SCOPED_TRACE(tray_at_start);
        set_setting(12, tray_at_start);
        Program p(testsupport::make_fake_system(folder, fakes));
        p.frmSplash.Timer2_Timer();
        ASSERT_TRUE(p.Form1.is_loaded());
        const bool to_tray = std::string(tray_at_start) == "1";
        EXPECT_EQ(IsWindowVisible(p.Form1.hWnd()) != FALSE, !to_tray);
        EXPECT_EQ(p.Form1.tray_icon_added, to_tray);
        EXPECT_EQ(fakes.tray->calls.size(), to_tray ? 1u : 0u);
        if (to_tray) {
            EXPECT_EQ(fakes.tray->calls[0].first, static_cast<DWORD>(NIM_ADD));
        }
    }
}

TEST_F(Form1Load, FullCleanAtStartWithoutAreaOptionsWarnsTwice)
{
    set_setting(10, "1");
    remove("pmdb.lst");
    load();
    ASSERT_EQ(fakes.dialogs->prompts.size(), 2u);
    EXPECT_EQ(fakes.dialogs->prompts[0].text, kAreaOptionsMissing);
    EXPECT_EQ(fakes.dialogs->prompts[1].text, kAreaOptionsMissing);
}
