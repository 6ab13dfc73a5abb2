// The password lock: the main window's gates and the two prompts in front of the settings
// and tools windows.
#include "lock_windows_fixture.h"
#include "common/password_file.h"
#include "common/settings_file.h"
#include "mainwindow/Form1_navigation.h"

using namespace pellmaris;

namespace {

class PasswordLock : public locktest::LockWindows {
protected:
    void lock(const std::string& protect, const std::string& settings, const std::string& tools)
    {
        set_line(kPasswordProtect, protect);
        set_line(kPasswordSettings, settings);
        set_line(kPasswordWindowsTools, tools);
    }
    // The password typed into a prompt and Accept pressed.
    void accept(PasswordPrompt& prompt, const std::string& typed)
    {
        type(prompt.Text1, typed);
        click(prompt.Command1);
    }
    bool any_lock_window_loaded()
    {
        return app->Form10.is_loaded() || app->Form11.is_loaded() || app->Form14.is_loaded() ||
               app->Form15.is_loaded();
    }
};

TEST_F(PasswordLock, ALockedSettingsLinkAsksAndTheRightPasswordOpensTheWindow)
{
    lock("1", "1", "0");
    put(kPasswordFile, password_record("Tulip 7") + "\r\n");
    app->Form1.Label16_Click();
    Form15& prompt = app->Form15;
    ASSERT_TRUE(prompt.Visible());
    EXPECT_FALSE(app->Form10.is_loaded());
    EXPECT_EQ(prompt.Caption(), "Pellmaris");
    EXPECT_EQ(prompt.Command1.Caption(), "Accept");
    EXPECT_EQ(prompt.Text1.Text(), "");

    accept(prompt, "Tulip 7");
    EXPECT_FALSE(prompt.is_loaded());
    EXPECT_TRUE(app->Form10.Visible());
    EXPECT_EQ(app->Form10.Frame1.Top(), 1080);   // the default layout
    EXPECT_TRUE(fakes.dialogs->prompts.empty());
}

TEST_F(PasswordLock, AWrongPasswordIsRefusedAndTheTypedTextStays)
{
    lock("1", "0", "1");
    put(kPasswordFile, password_record("Tulip 7") + "\r\n");
    app->Form1.Label20_Click();
    Form14& prompt = app->Form14;
    ASSERT_TRUE(prompt.Visible());
    for (const char* wrong : {"tulip 7", "Tulip 7 ", "", "Tulip"}) {
        accept(prompt, wrong);
        EXPECT_TRUE(prompt.Visible()) << wrong;
        EXPECT_EQ(prompt.Text1.Text(), wrong);
    }
    EXPECT_EQ(messages("Wronge Password"), 4);
    EXPECT_EQ(fakes.dialogs->prompts[0].style, rt::vbOKOnly);
    EXPECT_EQ(fakes.dialogs->prompts[0].title, "Pellmaris");
    EXPECT_FALSE(app->Form11.is_loaded());

    accept(prompt, "Tulip 7");
    EXPECT_TRUE(app->Form11.Visible());
    EXPECT_FALSE(prompt.is_loaded());
}

TEST_F(PasswordLock, TheClassicSettingsLinkKeepsItsLayoutThroughThePrompt)
{
    lock("1", "1", "0");
    set_line(kClassicTheme, "1");
    put(kPasswordFile, password_record("x") + "\r\n");
    app->Form1.Label17_Click();
    accept(app->Form15, "x");
    ASSERT_TRUE(app->Form10.Visible());
    EXPECT_EQ(app->Form10.Frame1.Top(), 1450);
    EXPECT_EQ(app->Form10.Height(), 6300);
}

TEST_F(PasswordLock, AnOldPlainPasswordFileStillWorksAndTheLastLineCounts)
{
    lock("1", "1", "1");
    put(kPasswordFile, "first\r\nsecond\r\nHunter2\r\n");
    app->Form14.Show();
    accept(app->Form14, "second");
    accept(app->Form14, "hunter2");
    EXPECT_EQ(messages("Wronge Password"), 2);
    accept(app->Form14, "Hunter2");
    EXPECT_TRUE(app->Form11.Visible());
}

TEST_F(PasswordLock, APasswordSetInTheSettingsWindowOpensThePromptAtOnce)
{
    put(kPasswordFile, "old plain\r\n");
    app->Form10.open(false);
    click(app->Form10.Label3);
    type(app->Form10.Text1, "Brand New");
    click(app->Form10.Command3);
    click(app->Form10.Command1);

    app->Form15.Show();
    accept(app->Form15, "old plain");
    EXPECT_EQ(messages("Wronge Password"), 1);
    accept(app->Form15, "Brand New");
    EXPECT_TRUE(app->Form10.Visible());
}

TEST_F(PasswordLock, NoPasswordFileMeansTheEmptyPassword)
{
    app->Form14.Show();
    accept(app->Form14, "anything");
    EXPECT_EQ(messages("Wronge Password"), 1);
    accept(app->Form14, "");
    EXPECT_TRUE(app->Form11.Visible());

    put(kPasswordFile, "");   // an empty file holds no line: the same
    app->Form15.Show();
    accept(app->Form15, "");
    EXPECT_TRUE(app->Form10.Visible());
}

TEST_F(PasswordLock, AFileOfTheLockThatCannotBeReadKeepsTheWindowLocked)
{
    testsupport::make_dirs(dir / kPasswordFile);   // a folder where the file should be
    app->Form15.Show();
    accept(app->Form15, "");
    EXPECT_FALSE(app->Form10.is_loaded());
    EXPECT_TRUE(app->Form15.Visible());
    ASSERT_EQ(fakes.dialogs->prompts.size(), 1u);
    EXPECT_NE(fakes.dialogs->prompts[0].text.find("cannot be read"), std::string::npos);
    app->Form15.Unload();

    // A settings file that cannot be read may hold a lock that is on: no link opens.
    testsupport::remove_tree(dir / kSettingsFile);
    testsupport::make_dirs(dir / kSettingsFile);
    fakes.dialogs->prompts.clear();
    app->Form1.Label16_Click();
    app->Form1.Label17_Click();
    app->Form1.Label20_Click();
    EXPECT_FALSE(any_lock_window_loaded());
    ASSERT_EQ(fakes.dialogs->prompts.size(), 3u);
    EXPECT_NE(fakes.dialogs->prompts[2].text.find("settings file cannot be read"), std::string::npos);
}

TEST_F(PasswordLock, PasswordBoxesMaskUnlessShowPasswordIsOn)
{
    app->Form14.Show();
    app->Form15.Show();
    EXPECT_EQ(mask(app->Form14.Text1), '*');
    EXPECT_EQ(mask(app->Form15.Text1), '*');
    app->Form14.Unload();
    app->Form15.Unload();

    set_line(kShowPassword, "1");
    app->Form14.Show();
    app->Form15.Show();
    EXPECT_EQ(mask(app->Form14.Text1), 0);
    EXPECT_EQ(mask(app->Form15.Text1), 0);
    app->Form10.Load();   // and the settings window's new password
    click(app->Form10.Label3);
    EXPECT_EQ(mask(app->Form10.Text1), 0);
}

TEST_F(PasswordLock, ClosingAPromptOpensNothing)
{
    app->Form15.Show();
    SendMessageA(app->Form15.hWnd(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(app->Form15.is_loaded());
    EXPECT_FALSE(app->Form10.is_loaded());
}

// The gates through the labels' handlers: the numbers as read, a damaged line opening nothing.
TEST_F(PasswordLock, EachPairOfLockLinesOpensWhatItSaysAndDamagedPairsOpenNothing)
{
    struct Case {
        const char *protect, *locked;
        int opens;   // 0 nothing, 1 the prompt, 2 the window
    };
    const Case cases[] = {
        {"0", "0", 2}, {"1", "0", 2},   {" 1 ", "1", 1}, {"1.0", "1", 1}, {"0", "1", 0},  {"1", "2", 0},
        {"1", "x", 0}, {"2", "0", 0},   {"x", "0", 0},   {"0.6", "0", 0}, {"1", "0.6", 0}, {"-1", "0", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string("lines ") + c.protect + ", " + c.locked);
        for (bool settings_link : {true, false}) {
            lock(c.protect, settings_link ? c.locked : "0", settings_link ? "0" : c.locked);
            if (settings_link)
                app->Form1.Label16_Click();
            else
                app->Form1.Label20_Click();
            PasswordPrompt& prompt = settings_link ? static_cast<PasswordPrompt&>(app->Form15) : app->Form14;
            rt::Form& window = settings_link ? static_cast<rt::Form&>(app->Form10) : app->Form11;
            EXPECT_EQ(prompt.is_loaded(), c.opens == 1) << (settings_link ? "settings" : "tools");
            EXPECT_EQ(window.is_loaded(), c.opens == 2) << (settings_link ? "settings" : "tools");
            prompt.Unload();
            window.Unload();
        }
    }
}

} // namespace
