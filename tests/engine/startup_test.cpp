#include <gtest/gtest.h>
#include <windows.h>
#include <memory>
#include "app/Program.h"
#include "engine/environment.h"
#include "engine/location_database.h"
#include "runtime/text.h"
#include "support/fakes.h"
#include "support/program_folder.h"
#include "support/scratch.h"

using namespace pellmaris;
using testsupport::ScratchDir;

namespace {

// A program folder with the shipped files, and a Program on fake system services.
class Startup : public ::testing::Test, protected testsupport::ProgramFolder {
protected:
    explicit Startup(const std::string& folder_name = "pro%gram")
        : ProgramFolder(folder_name, {"settings.ini", "PMlist.lst", "pmdb.lst", "info.ini"})
    {
    }

    Program& start()
    {
        program = std::make_unique<Program>(testsupport::make_fake_system(folder, fakes));
        program->start();
        return *program;
    }

    testsupport::Fakes fakes;
    std::unique_ptr<Program> program;
};

const char* const kSystemInfo =
    "\r\n"
    "Host Name:                 DESK-1\r\n"
    "OS Name:                   Microsoft Windows 10 Pro\r\n"
    "os version:                10.0.19045 N/A Build 19045  \r\n"
    "OS Manufacturer:           Microsoft Corporation\r\n"
    "   Total Physical Memory:     16,274 MB\r\n"
    "Available Physical Memory: 9,001 MB\r\n";

} // namespace

TEST_F(Startup, SplashLoadDecodesTheDatabaseAndWritesBothBatchFiles)
{
    put("orvane.bat", "an older and much longer batch file\r\n\r\n");
    Program& p = start();

    EXPECT_EQ(p.Form5.List1.items(), decode_location_database(file("PMlist.lst")));
    EXPECT_FALSE(p.Form5.Visible());
    // They run in the program folder: its name, which the interpreter would expand, is not in them.
    EXPECT_EQ(bytes("orvane.bat"), "set > \"orvane.dat\"\r\n");
    EXPECT_EQ(bytes("Pellmaris.bat"), "systeminfo > \"Pellmaris.txt\"\r\n");

    EXPECT_TRUE(p.frmSplash.Visible());
    EXPECT_FALSE(p.frmSplash.ShowInTaskbar());
    EXPECT_EQ(p.frmSplash.Left(), (rt::Screen::Width() - p.frmSplash.Width()) / 2);
    EXPECT_EQ(p.frmSplash.Top(), (rt::Screen::Height() - p.frmSplash.Height()) / 2);
    EXPECT_TRUE(p.frmSplash.Timer1.Enabled());
    EXPECT_EQ(p.frmSplash.Timer1.Interval(), 1000);
    EXPECT_EQ(p.frmSplash.Timer2.Interval(), 0);
    EXPECT_EQ(p.frmSplash.lblVersion.Caption(), "Version " + rt::version_text());
    EXPECT_EQ(p.frmSplash.lblProductName.Caption(), "Pellmaris");
    EXPECT_FALSE(p.Form1.is_loaded());
    EXPECT_TRUE(fakes.dialogs->prompts.empty());
    EXPECT_TRUE(fakes.processes->started.empty());
}

TEST_F(Startup, MissingDatabaseIsReportedAndTheStartGoesOn)
{
    DeleteFileA(file("PMlist.lst").c_str());
    Program& p = start();

    ASSERT_EQ(fakes.dialogs->prompts.size(), 1u);
    EXPECT_EQ(fakes.dialogs->prompts[0].text,
              "The location database PMlist.lst is missing\n"
              "No GAMER, INTERNET or TEMP location can be cleaned until it is restored");
    EXPECT_EQ(fakes.dialogs->prompts[0].title, "Pellmaris");
    EXPECT_EQ(fakes.dialogs->prompts[0].style, rt::vbExclamation);
    EXPECT_EQ(p.Form5.List1.ListCount(), 0);
    EXPECT_TRUE(p.frmSplash.Timer1.Enabled());
    EXPECT_FALSE(bytes("Pellmaris.bat").empty());
}

TEST_F(Startup, MissingSettingsStillStart)
{
    DeleteFileA(file("settings.ini").c_str());
    Program& p = start();
    EXPECT_TRUE(p.frmSplash.Visible());
    EXPECT_GT(p.Form5.List1.ListCount(), 0);
    EXPECT_TRUE(p.frmSplash.Timer1.Enabled());
}

TEST_F(Startup, ClassicThemeWithoutItsSplashPictureStillStarts)
{
    set_setting(13, "1");
    Program& p = start();
    EXPECT_TRUE(p.frmSplash.Visible());
    EXPECT_TRUE(p.frmSplash.Timer1.Enabled());
}

TEST_F(Startup, HiddenSplashRunsTheSameSequenceUnseen)
{
    set_setting(18, "1");
    Program& p = start();
    EXPECT_TRUE(p.frmSplash.is_loaded());
    EXPECT_FALSE(p.frmSplash.Visible());
    EXPECT_TRUE(p.frmSplash.Timer1.Enabled());
    EXPECT_GT(p.Form5.List1.ListCount(), 0);
}

TEST_F(Startup, FirstTickStartsBothBatchFilesHiddenAndArmsTheSecond)
{
    Program& p = start();
    p.frmSplash.Timer1_Timer();

    const auto& started = fakes.processes->started;
    ASSERT_EQ(started.size(), 2u);
    EXPECT_EQ(started[0].command, "\".\\orvane.bat\"");
    EXPECT_EQ(started[1].command, "\".\\Pellmaris.bat\"");
    for (const auto& start : started) {
        EXPECT_EQ(start.style, 0);
        EXPECT_EQ(start.folder, folder);
    }
    EXPECT_FALSE(p.frmSplash.Timer1.Enabled());
    EXPECT_TRUE(p.frmSplash.Timer2.Enabled());
    EXPECT_EQ(p.frmSplash.Timer2.Interval(), 4000);
}

TEST_F(Startup, FirstTickGoesOnWhenTheBatchFilesCannotStart)
{
    Program& p = start();
    fakes.processes->fail = true;
    EXPECT_NO_THROW(p.frmSplash.Timer1_Timer());
    EXPECT_EQ(fakes.processes->started.size(), 2u);
    EXPECT_TRUE(p.frmSplash.Timer2.Enabled());
}

TEST_F(Startup, SecondTickCopiesTheSystemInformationAndShowsTheMainWindow)
{
    Program& p = start();
    p.frmSplash.Timer1_Timer();
    put("Pellmaris.txt", kSystemInfo);
    p.frmSplash.Timer2_Timer();

    EXPECT_EQ(p.Form1.Label3.Caption(), "Operating System = Microsoft Windows 10 Pro");
    EXPECT_EQ(p.Form1.Label4.Caption(), "Version = 10.0.19045 N/A Build 19045");
    EXPECT_EQ(p.Form1.Label5.Caption(), "Toatal Memory = 16,274 MB");
    // The main window's load ran, the splash is gone and the main window is up.
    EXPECT_EQ(p.Form1.Label13.Caption(), "Program Version " + rt::version_text());
    EXPECT_FALSE(p.frmSplash.is_loaded());
    EXPECT_TRUE(p.Form1.Visible());
}

TEST_F(Startup, SecondTickWithoutSystemInformationStillShowsTheMainWindow)
{
    Program& p = start();
    p.frmSplash.Timer2_Timer();
    EXPECT_EQ(p.Form1.Label3.Caption(), "Operating System = ");
    EXPECT_EQ(p.Form1.Label13.Caption(), "Program Version " + rt::version_text());
    EXPECT_FALSE(p.frmSplash.is_loaded());
    EXPECT_TRUE(p.Form1.Visible());
}

TEST_F(Startup, SecondTickLeavesAMainWindowThatWentToTheTrayThere)
{
    set_setting(12, "1");
    Program& p = start();
    put("Pellmaris.txt", kSystemInfo);
    p.frmSplash.Timer2_Timer();
    EXPECT_TRUE(p.Form1.is_loaded());
    EXPECT_FALSE(p.Form1.Visible());
    EXPECT_FALSE(fakes.tray->calls.empty());
}

TEST_F(Startup, FourthOptionDecidesTheAnalysisAtStart)
{
    put("a.lst", "[LIST1]\r\n 1  1  1  1  1  1  1  1  1  1  1  1 \r\n[LIST2]\r\n 1  0  0  1 ");
    put("b.lst", "[LIST1]\r\n 1  1  1  1  1  1  1  1  1  1  1  1 \r\n[LIST2]\r\n 1  0  0  0 ");
    put("c.lst", "[LIST1]\r\n 1  1  1  1  1  1  1  1  1  1  1  1 \r\n");
    EXPECT_TRUE(frmSplash::analyse_drive_at_start(file("a.lst")));
    EXPECT_FALSE(frmSplash::analyse_drive_at_start(file("b.lst")));
    EXPECT_FALSE(frmSplash::analyse_drive_at_start(file("c.lst")));
    EXPECT_FALSE(frmSplash::analyse_drive_at_start(file("missing.lst")));

    // The marker is a whole line in any case; the last group of four decides, and an
    // unfinished group is a read error that leaves the main window.
    put("d.lst", "[LIST1]\r\n 1  1 \r\n  [list2] \r\n 0  0  0  1 \r\n");
    put("e.lst", "[LIST1]\r\n 1  1 \r\n[LIST2]\r\n 1  0  0  1  1  0  0  0 ");
    put("f.lst", "[LIST1]\r\n 1  1 \r\n[LIST2]\r\n 1  0  0  1  1 ");
    put("g.lst", "[LIST1] 1  1 [LIST2] 1  0  0  1 ");
    EXPECT_TRUE(frmSplash::analyse_drive_at_start(file("d.lst")));
    EXPECT_FALSE(frmSplash::analyse_drive_at_start(file("e.lst")));
    EXPECT_FALSE(frmSplash::analyse_drive_at_start(file("f.lst")));
    EXPECT_FALSE(frmSplash::analyse_drive_at_start(file("g.lst")));
}

class StartupOem : public Startup {
protected:
    StartupOem() : Startup("caf\u00e9") {}
    void SetUp() override
    {
        if (GetACP() != 1252 || GetOEMCP() != 437)
            GTEST_SKIP() << "needs the 1252/437 code pages";
    }
};

TEST_F(StartupOem, DumpsAreReadInTheOemCodePage)
{
    Program& p = start();
    put("Pellmaris.txt", "OS Name: Windows \x82\x64ition\r\n");
    p.frmSplash.Timer2_Timer();
    EXPECT_EQ(p.Form1.Label3.Caption(), "Operating System = Windows \u00e9\x64ition");
}

TEST(EnvironmentDump, IsReadInTheOemCodePage)
{
    if (GetACP() != 1252 || GetOEMCP() != 437)
        GTEST_SKIP() << "needs the 1252/437 code pages";
    ScratchDir dir;
    testsupport::write_bytes(dir / "orvane.dat", "USERPROFILE=C:\\Users\\Andr\x82\r\n");
    EXPECT_EQ(read_dump_lines(dir / "orvane.dat"), std::vector<std::string>{"USERPROFILE=C:\\Users\\Andr\u00e9"});
}
