// The settings window: what it restores, what Ok writes, the start-with-Windows value and
// the password it changes.
#include "lock_windows_fixture.h"
#include <windows.h>
#include "common/password_file.h"
#include "common/settings_file.h"
#include "runtime/services.h"

using namespace pellmaris;

namespace {

class SettingsWindow : public locktest::LockWindows {
protected:
    // Loaded as the settings label opens it, but not shown: under Wine without a window
    // manager every hidden window costs a wait, and the handlers do not need the screen.
    Form10& open()
    {
        app->Form10.Load();
        return app->Form10;
    }
    // Opens the window, lets the action run, presses Ok and gives the lines written.
    std::vector<std::string> saved_after(const std::function<void(Form10&)>& action)
    {
        Form10& f = open();
        action(f);
        click(f.Command1);
        return settings_file_lines();
    }
    std::vector<std::string> settings_file_lines() const
    {
        std::vector<std::string> lines;
        const std::string bytes = settings_bytes();
        for (size_t start = 0; start < bytes.size();) {
            size_t end = bytes.find("\r\n", start);
            if (end == std::string::npos)
                break;
            lines.push_back(bytes.substr(start, end - start));
            start = end + 2;
        }
        return lines;
    }
    std::string run_value_name() const
    {
        char path[MAX_PATH];
        std::string name(path, GetModuleFileNameA(nullptr, path, MAX_PATH));
        name = name.substr(name.find_last_of('\\') + 1);
        return name.substr(0, name.rfind('.'));
    }
};

TEST_F(SettingsWindow, OkWithoutChangesRewritesTheShippedFileByteForByte)
{
    put(kSettingsFile, shipped_settings());
    saved_after([](Form10&) {});
    EXPECT_EQ(settings_bytes(), shipped_settings());
    EXPECT_FALSE(app->Form10.is_loaded());
}

TEST_F(SettingsWindow, OkWithoutChangesRewritesAFileWithEveryLineChanged)
{
    const std::string changed = "1\r\n1\r\n1\r\n0\r\n0\r\n1\r\n1\r\n125\r\nTrue\r\n1\r\n1\r\n1\r\n1\r\n2000\r\n"
                                "1\r\n1\r\n1\r\n1\r\n0\r\n1\r\n1\r\n1\r\n 1 \r\n";
    put(kSettingsFile, changed);
    saved_after([](Form10& f) {
        // Restored first: the hidden "On Program StartUp" keeps its tick, as line 12 said.
        EXPECT_EQ(f.Check10.Value(), 1);
        EXPECT_FALSE(f.Check10.Visible());
        EXPECT_TRUE(f.Option1.Value());
        EXPECT_EQ(f.Slider1.Value(), 125);
        EXPECT_EQ(f.Slider2.Value(), 2000);
    });
    EXPECT_EQ(settings_bytes(), changed);
}

TEST_F(SettingsWindow, EachCheckBoxLandsOnItsOwnLine)
{
    const std::vector<std::string> shipped = settings_lines;
    // Line and box of every check box the window shows as it opens with the shipped file.
    const std::vector<std::pair<int, rt::CheckBox Form10::*>> boxes = {
        {1, &Form10::Check1},   {2, &Form10::Check2},   {3, &Form10::Check3},   {4, &Form10::Check4},
        {5, &Form10::Check5},   {6, &Form10::Check6},   {7, &Form10::Check7},   {10, &Form10::Check8},
        {11, &Form10::Check9},  {12, &Form10::Check10}, {13, &Form10::Check11}, {15, &Form10::Check12},
        {18, &Form10::Check15}, {19, &Form10::Check16}, {20, &Form10::Check17}, {21, &Form10::Check18},
        {22, &Form10::Check19},
    };
    for (const auto& [line, box] : boxes) {
        SCOPED_TRACE("line " + std::to_string(line));
        write_settings_lines();
        std::vector<std::string> expected = shipped;
        expected[line - 1] = shipped[line - 1] == "1" ? "0" : "1";
        EXPECT_EQ(saved_after([box](Form10& f) { click(f.*box); }), expected);
    }
}

TEST_F(SettingsWindow, SlidersAndIntervalOptionsLandOnTheirLines)
{
    auto lines = saved_after([](Form10& f) {
        slide(f.Slider1, 75);
        slide(f.Slider2, 3090);
        click(f.Option3);
    });
    EXPECT_EQ(lines.at(7), "75");
    EXPECT_EQ(lines.at(8), "False");
    EXPECT_EQ(lines.at(13), "3090");
    EXPECT_EQ(lines.at(22), " 3 ");

    lines = saved_after([](Form10& f) {
        EXPECT_TRUE(f.Option3.Value());   // restored from line 23
        click(f.Option1);
    });
    EXPECT_EQ(lines.at(8), "True");
    EXPECT_EQ(lines.at(22), " 1 ");
    EXPECT_EQ(lines.size(), 23u);
}

TEST_F(SettingsWindow, AValueBeyondASlidersEndIsWrittenBackAsReadUntilTheSliderMoves)
{
    set_line(kTransparencyAlpha, "255");
    set_line(kToolIconSize, "600");
    auto lines = saved_after([](Form10& f) {
        EXPECT_EQ(f.Slider1.Value(), 200);
        EXPECT_EQ(f.Slider2.Value(), 1000);
        EXPECT_EQ(f.Image1.Width(), 600);
    });
    EXPECT_EQ(lines.at(kTransparencyAlpha - 1), "255");
    EXPECT_EQ(lines.at(kToolIconSize - 1), "600");

    lines = saved_after([](Form10& f) { slide(f.Slider2, 1200); });
    EXPECT_EQ(lines.at(kTransparencyAlpha - 1), "255");
    EXPECT_EQ(lines.at(kToolIconSize - 1), "1200");
}

TEST_F(SettingsWindow, TheDependentBoxesShowExactlyWhileTheirParentIsTicked)
{
    set_line(kMinimizeToTray, "0");
    set_line(kPasswordProtect, "1");
    set_line(kPasswordSettings, "1");
    Form10& f = open();
    EXPECT_FALSE(f.Check10.Visible());
    EXPECT_FALSE(window_visible(f.Check10));
    for (rt::Control* c : {static_cast<rt::Control*>(&f.Check13), static_cast<rt::Control*>(&f.Check14),
                           static_cast<rt::Control*>(&f.Label3)})
        EXPECT_TRUE(c->Visible()) << c->Name();
    EXPECT_TRUE(window_visible(f.Check13));

    click(f.Check4);
    EXPECT_TRUE(window_visible(f.Check10));
    click(f.Check10);
    click(f.Check4);
    EXPECT_FALSE(window_visible(f.Check10));
    EXPECT_EQ(f.Check10.Value(), 0);

    click(f.Check12);
    EXPECT_FALSE(window_visible(f.Check13));
    EXPECT_FALSE(window_visible(f.Check14));
    EXPECT_FALSE(f.Label3.Visible());
    EXPECT_EQ(f.Check13.Value(), 0);
    click(f.Check12);
    EXPECT_TRUE(window_visible(f.Check14));
    EXPECT_TRUE(f.Label3.Visible());
    click(f.Command1);
    const auto lines = settings_file_lines();
    EXPECT_EQ(lines.at(kTrayOnStartup - 1), "0");
    EXPECT_EQ(lines.at(kPasswordProtect - 1), "1");
    EXPECT_EQ(lines.at(kPasswordSettings - 1), "0");   // cleared with its parent
}

TEST_F(SettingsWindow, DamagedLinesOpenAnOrderlyWindow)
{
    set_line(kShutdownAfterCleanup, "2");
    set_line(kClassicTheme, "0.6");
    set_line(kTransparencyAlpha, "half");
    set_line(kToolIconSize, "600");
    set_line(kAutoCleanInterval, "2.5");
    Form10& f = open();
    EXPECT_EQ(f.Check1.Value(), 0);
    EXPECT_EQ(f.Check11.Value(), 0);
    EXPECT_EQ(f.Slider1.Value(), 200);
    EXPECT_EQ(f.Image1.Width(), 600);   // the preview is as large as the tools' icons
    EXPECT_EQ(f.Image1.Height(), 600);
    for (rt::OptionButton* option : {&f.Option1, &f.Option2, &f.Option3, &f.Option4})
        EXPECT_FALSE(option->Value());
    click(f.Command2);
    EXPECT_FALSE(f.is_loaded());
}

TEST_F(SettingsWindow, AMissingOrShortFileOpensWithTheShippedValues)
{
    testsupport::remove_tree(dir / kSettingsFile);
    saved_after([](Form10& f) { EXPECT_EQ(f.Check4.Value(), 1); });
    EXPECT_EQ(settings_bytes(), shipped_settings());

    put(kSettingsFile, "1\r\n1\r\n");
    const auto lines = saved_after([](Form10&) {});
    EXPECT_EQ(lines.at(0), "1");
    EXPECT_EQ(lines.at(1), "1");
    EXPECT_EQ(lines.at(13), "1500");
    EXPECT_EQ(lines.at(22), "");
}

TEST_F(SettingsWindow, ThePreviewFollowsTheIconSliderAndOnlyOkSavesIt)
{
    Form10& f = open();
    slide(f.Slider2, 3090);
    EXPECT_EQ(f.Image1.Width(), 3090);
    EXPECT_EQ(f.Image1.Height(), 3090);
    const std::string before = settings_bytes();
    click(f.Command2);
    EXPECT_EQ(settings_bytes(), before);
}

TEST_F(SettingsWindow, TheRunValueIsTheQuotedProgramPathAndGoesWithTheBox)
{
    saved_after([](Form10& f) { click(f.Check3); });
    ASSERT_EQ(fakes.registry->writes.size(), 1u);
    EXPECT_EQ(fakes.registry->writes[0].first, run_value_name());
    EXPECT_EQ(fakes.registry->writes[0].second, "\"" + dir.path() + "\\" + run_value_name() + ".exe\"");
    EXPECT_TRUE(fakes.registry->removals.empty());

    saved_after([](Form10& f) { click(f.Check3); });
    EXPECT_EQ(fakes.registry->removals, std::vector<std::string>{run_value_name()});
    EXPECT_EQ(fakes.registry->writes.size(), 1u);
    EXPECT_TRUE(fakes.dialogs->prompts.empty());
}

TEST_F(SettingsWindow, ARefusedRunValueIsReportedAndTheSettingsAreStillSaved)
{
    fakes.registry->refuse = true;
    const auto lines = saved_after([](Form10& f) {
        click(f.Check3);
        click(f.Check1);
    });
    EXPECT_EQ(lines.at(0), "1");
    EXPECT_EQ(lines.at(2), "1");
    ASSERT_EQ(fakes.dialogs->prompts.size(), 1u);
    EXPECT_NE(fakes.dialogs->prompts[0].text.find("start"), std::string::npos);
    EXPECT_FALSE(app->Form10.is_loaded());

    saved_after([](Form10& f) { click(f.Check3); });   // and the removal
    EXPECT_EQ(fakes.dialogs->prompts.size(), 2u);
}

TEST_F(SettingsWindow, ASettingsFileThatCannotBeReplacedStaysAsItWasAndOkStillCloses)
{
    const std::string before = settings_bytes();
    SetFileAttributesA((dir / kSettingsFile).c_str(), FILE_ATTRIBUTE_READONLY);
    saved_after([](Form10& f) { click(f.Check3); });
    SetFileAttributesA((dir / kSettingsFile).c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(settings_bytes(), before);
    ASSERT_EQ(fakes.dialogs->prompts.size(), 1u);
    EXPECT_NE(fakes.dialogs->prompts[0].text.find("could not be saved"), std::string::npos);
    EXPECT_FALSE(app->Form10.is_loaded());
    // The Run value follows the file as it stands, not the box that could not be saved.
    EXPECT_TRUE(fakes.registry->writes.empty());
}

TEST_F(SettingsWindow, ApplyStoresAHashThatOpensForTheTypedPasswordOnly)
{
    Form10& f = open();
    EXPECT_FALSE(f.Text1.Visible());
    click(f.Label3);
    ASSERT_TRUE(window_visible(f.Text1));
    EXPECT_EQ(mask(f.Text1), '*');
    type(f.Text1, "Open Sesame");
    click(f.Command3);

    EXPECT_EQ(messages("Password Changed"), 1);
    EXPECT_EQ(fakes.dialogs->prompts.back().title, "Pellmaris");
    EXPECT_FALSE(window_visible(f.Text1));
    EXPECT_FALSE(window_visible(f.Command3));
    const std::string file = testsupport::read_bytes(dir / kPasswordFile);
    ASSERT_EQ(file.find("\r\n"), file.size() - 2);   // one line
    const std::string line = file.substr(0, file.size() - 2);
    EXPECT_EQ(line.find("Open Sesame"), std::string::npos);
    EXPECT_EQ(line.rfind("pbkdf2-sha256$", 0), 0u);
    EXPECT_TRUE(password_matches("Open Sesame", line));
    for (const char* other : {"", "open sesame", "Open Sesame ", "Open Sesam"})
        EXPECT_FALSE(password_matches(other, line)) << '"' << other << '"';
}

TEST_F(SettingsWindow, AnEmptyPasswordIsAPasswordAndCancelKeepsTheText)
{
    Form10& f = open();
    click(f.Label3);
    type(f.Text1, "draft");
    click(f.Command4);
    EXPECT_FALSE(window_visible(f.Text1));
    EXPECT_EQ(f.Text1.Text(), "draft");
    click(f.Label3);   // opens empty
    EXPECT_EQ(f.Text1.Text(), "");
    click(f.Command3);
    const std::string line = read_password_line(dir / kPasswordFile);
    EXPECT_TRUE(password_matches("", line));
    EXPECT_FALSE(password_matches(" ", line));
    EXPECT_EQ(messages("Password Changed"), 1);
}

TEST_F(SettingsWindow, APasswordFileThatCannotBeReplacedKeepsTheOldPassword)
{
    put(kPasswordFile, "old\r\n");
    SetFileAttributesA((dir / kPasswordFile).c_str(), FILE_ATTRIBUTE_READONLY);
    Form10& f = open();
    click(f.Label3);
    type(f.Text1, "new");
    click(f.Command3);
    SetFileAttributesA((dir / kPasswordFile).c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(testsupport::read_bytes(dir / kPasswordFile), "old\r\n");
    EXPECT_EQ(messages("Password Changed"), 0);
    ASSERT_EQ(fakes.dialogs->prompts.size(), 1u);
    EXPECT_TRUE(window_visible(f.Text1));   // still there to try again
    EXPECT_EQ(f.Text1.Text(), "new");
}

// Every control the window shows lies inside its client area, in both layouts.
void expect_inside_client_area(Form10& f)
{
    RECT client;
    GetClientRect(f.hWnd(), &client);
    for (rt::Control* c : f.controls()) {
        if (!c->shown())
            continue;
        const RECT r = c->pixel_rect();
        EXPECT_TRUE(r.left >= 0 && r.top >= 0 && r.right <= client.right && r.bottom <= client.bottom)
            << c->Name() << " at " << r.left << "," << r.top << "-" << r.right << "," << r.bottom << " in "
            << client.right << "x" << client.bottom;
    }
}

TEST_F(SettingsWindow, TheClassicLayoutMovesTheFramesAndButtonsAndKeepsEverythingInside)
{
    set_line(kPasswordProtect, "1");
    set_line(kToolIconSize, "3090");
    Form10& f = open();
    click(f.Label3);
    const long check_top = f.Check1.pixel_rect().top;
    expect_inside_client_area(f);
    EXPECT_EQ(f.Frame1.Top(), 1080);
    click(f.Command2);

    set_line(kClassicTheme, "1");
    app->Form1.Label17_Click();
    ASSERT_TRUE(f.Visible());
    EXPECT_EQ(f.Frame1.Top(), 1450);
    EXPECT_EQ(f.Frame2.Top(), 1450);
    EXPECT_EQ(f.Height(), 6300);
    EXPECT_EQ(f.Command1.Top(), 5500);
    EXPECT_EQ(f.Command2.Top(), 5500);
    EXPECT_GT(f.Check1.pixel_rect().top, check_top);   // the boxes move with their frame
    click(f.Label3);
    expect_inside_client_area(f);
}

// The start-up value through the registry of the test prefix (never the developer's own).
TEST(StartupRegistry, TheRealValueIsWrittenAsGivenAndRemovedOnce)
{
    auto registry = rt::make_real_startup_registry();
    const std::string name = "PellmarisTest" + std::to_string(GetCurrentProcessId());
    const std::string data = "\"S:\\Some Folder\\Pellmaris.exe\"";
    registry->write(name, data);
    char read[MAX_PATH] = {};
    DWORD size = sizeof read;
    ASSERT_EQ(RegGetValueA(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Run", name.c_str(),
                           RRF_RT_REG_SZ, nullptr, read, &size),
              ERROR_SUCCESS);
    EXPECT_EQ(std::string(read), data);
    registry->remove(name);
    EXPECT_NE(RegGetValueA(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Run", name.c_str(),
                           RRF_RT_REG_SZ, nullptr, nullptr, nullptr),
              ERROR_SUCCESS);
    EXPECT_NO_THROW(registry->remove(name));   // nothing left to remove is no error
}

} // namespace
