// The main window's hover pictures, web links and password gates.
#include "form1_fixture.h"
#include "common/paths.h"
#include "mainwindow/Form1_navigation.h"
#include "runtime/filesys.h"
#include "runtime/forms.h"

using namespace pellmaris;

namespace {

constexpr const char* kIE = "\"C:\\Program Files\\Internet Explorer\\IEXPLORE.EXE\" ";

class Navigation : public form1test::Form1Test {
protected:
    std::vector<rt::PictureBox*> hovers()
    {
        return {&form().Picture2, &form().Picture4, &form().Picture6,
                &form().Picture8, &form().Picture10, &form().Picture12};
    }
    std::vector<rt::PictureBox*> normals()
    {
        return {&form().Picture1, &form().Picture3, &form().Picture5,
                &form().Picture7, &form().Picture9, &form().Picture11};
    }
    int visible_hovers()
    {
        int n = 0;
        for (auto* hover : hovers())
            n += hover->Visible();
        return n;
    }

    // The tests share one display, so the pointer is not theirs to move: the events go
    // to the handlers the window binds to its controls.
    static void point_at(rt::Control& control) { control.on_mouse_move(0, 0, 60, 60); }
    void point_at_background() { form().Form_MouseMove(0, 0, 60, 60); }
    static void click(rt::Control& control) { control.on_click(); }
    void web_links(const std::string& text) { testsupport::write_bytes(dir / kWebLinksFile, text); }
};

TEST_F(Navigation, EachButtonShowsItsOwnHoverPictureUnderThePointer)
{
    form().Show();
    ASSERT_EQ(visible_hovers(), 0);
    for (size_t i = 0; i < normals().size(); ++i) {
        SCOPED_TRACE(normals()[i]->Name());
        point_at(*normals()[i]);
        EXPECT_TRUE(hovers()[i]->Visible());
        EXPECT_EQ(visible_hovers(), static_cast<int>(i) + 1);   // the earlier ones stay
    }
}

TEST_F(Navigation, TheBannerAndTheWindowBackgroundHideEveryHoverPicture)
{
    form().Show();
    for (auto* normal : normals())
        point_at(*normal);
    ASSERT_EQ(visible_hovers(), 6);
    point_at(form().Picture13);
    EXPECT_EQ(visible_hovers(), 0);

    point_at(form().Picture1);
    point_at(form().Picture11);
    ASSERT_EQ(visible_hovers(), 2);
    point_at_background();
    EXPECT_EQ(visible_hovers(), 0);
}

TEST_F(Navigation, TheWebLinksOpenTheLastRecordsAddressMaximised)
{
    ASSERT_TRUE(rt::file_exists("C:\\Program Files\\Internet Explorer\\IEXPLORE.EXE"));
    web_links("Home\r\nhttps://first.example/\r\nHelp\r\nhttps://second.example/help\r\n");
    form().Show();
    point_at(form().Picture11);
    click(form().Picture12);

    form().Label2_Click();
    form().Label6_Click();

    ASSERT_EQ(fakes.processes->started.size(), 3u);
    for (const auto& start : fakes.processes->started) {
        EXPECT_EQ(start.command, std::string(kIE) + "https://second.example/help");
        EXPECT_EQ(start.style, rt::vbMaximizedFocus);
    }
}

// The default browser's hand-over runs whatever it is given: only web addresses go to it.
TEST_F(Navigation, OnlyHttpAndHttpsAddressesAreOpened)
{
    for (const char* address :
         {"C:\\Windows\\System32\\calc.exe", "file:///C:/Windows/System32/calc.exe", "\\\\host\\share\\setup.exe",
          "javascript:alert(1)", "http:/one-slash.example", "https://", "ftp://files.example/",
          "https://a.example/\" C:\\Windows\\System32\\calc.exe", "https://a.example/ C:\\x.exe"}) {
        SCOPED_TRACE(address);
        web_links(std::string("Home\r\n") + address + "\r\n");
        form().Label6_Click();
        form().Picture12_Click();
        EXPECT_TRUE(fakes.processes->started.empty());
    }
    web_links("Home\r\n  HTTPS://Upper.Example/Path?q=1  \r\n");
    form().Label2_Click();
    ASSERT_EQ(fakes.processes->started.size(), 1u);
    EXPECT_EQ(fakes.processes->started[0].command, std::string(kIE) + "HTTPS://Upper.Example/Path?q=1");
}

TEST_F(Navigation, AMissingOrShortWebLinkFileOpensNothing)
{
    web_links("Home\r\nhttps://first.example/\r\nHelp\r\n");
    form().Picture12_Click();
    testsupport::remove_tree(dir / kWebLinksFile);
    form().Label2_Click();
    EXPECT_TRUE(fakes.processes->started.empty());
    EXPECT_TRUE(fakes.dialogs->prompts.empty());
}

TEST_F(Navigation, ABrowserThatCannotStartEndsQuietly)
{
    web_links("Home\r\nhttps://first.example/\r\n");
    fakes.processes->fail = true;
    EXPECT_NO_THROW(form().Label6_Click());
    EXPECT_NO_THROW(form().Label18_Click());
    EXPECT_EQ(fakes.processes->started.size(), 2u);
    EXPECT_TRUE(fakes.dialogs->prompts.empty());
}

TEST_F(Navigation, FeedbackOpensTheFeedbackPage)
{
    form().Label18_Click();
    ASSERT_EQ(fakes.processes->started.size(), 1u);
    const std::string& command = fakes.processes->started[0].command;
    EXPECT_EQ(command.rfind(kIE, 0), 0u);
    EXPECT_EQ(command.substr(command.size() - 14), "/feedback.html");
    EXPECT_EQ(fakes.processes->started[0].style, rt::vbMaximizedFocus);
}

TEST(WebLinks, WithoutTheOldBrowserTheDefaultBrowserGetsTheAddress)
{
    EXPECT_EQ(browser_command("https://a.example/", true), std::string(kIE) + "https://a.example/");
    const std::string fallback = browser_command("https://a.example/", false);
    EXPECT_EQ(fallback.find("IEXPLORE"), std::string::npos);
    EXPECT_EQ(fallback.substr(fallback.size() - 19), " https://a.example/");
}

TEST(Gates, EachPairOfLinesOpensItsWindow)
{
    EXPECT_EQ(gate_choice(0, 0), GateChoice::Window);
    EXPECT_EQ(gate_choice(1, 0), GateChoice::Window);
    EXPECT_EQ(gate_choice(1, 1), GateChoice::PasswordPrompt);
    EXPECT_EQ(gate_choice(0, 1), GateChoice::Nothing);
    EXPECT_EQ(gate_choice(2, 0), GateChoice::Nothing);
    EXPECT_EQ(gate_choice(1, 2), GateChoice::Nothing);
}

// The password lock as three settings lines: protection on, settings locked, tools locked.
Settings locks(int protect, int settings_locked, int tools_locked)
{
    Settings settings = default_settings();
    settings.lines[kPasswordProtect - 1] = std::to_string(protect);
    settings.lines[kPasswordSettings - 1] = std::to_string(settings_locked);
    settings.lines[kPasswordWindowsTools - 1] = std::to_string(tools_locked);
    return settings;
}

TEST(Gates, SettingsAndToolsEachReadTheirOwnLock)
{
    EXPECT_EQ(settings_gate(locks(1, 1, 0)), GateChoice::PasswordPrompt);
    EXPECT_EQ(tools_gate(locks(1, 1, 0)), GateChoice::Window);
    EXPECT_EQ(settings_gate(locks(0, 0, 1)), GateChoice::Window);
    EXPECT_EQ(tools_gate(locks(0, 0, 1)), GateChoice::Nothing);
    EXPECT_EQ(tools_gate(locks(1, 0, 1)), GateChoice::PasswordPrompt);
}

} // namespace
