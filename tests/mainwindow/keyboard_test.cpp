// The windows of the main-window subsystem from the keyboard alone: the keys go to the
// control that has the focus and through the program's own message loop.
#include <windows.h>
#include "area_selection_fixture.h"
#include "lock_windows_fixture.h"
#include "common/password_file.h"
#include "common/paths.h"
#include "common/settings_file.h"
#include "runtime/filesys.h"
#include "support/user_clicks.h"

using namespace pellmaris;
using namespace testsupport;

namespace {

std::string focused(rt::Form& form)
{
    rt::Control* c = form.ActiveControl();
    return c ? c->Name() : "<none>";
}

void press(rt::Form& form, WORD key, bool shift = false) { press_key(form, key, shift); }

// The controls that Tab visits from the one that has the focus, up to it again.
std::vector<std::string> tab_round(rt::Form& form, bool backwards = false)
{
    const std::string start = focused(form);
    std::vector<std::string> seen;
    for (int i = 0; i < 40; ++i) {
        press(form, VK_TAB, backwards);
        seen.push_back(focused(form));
        if (seen.back() == start)
            break;
    }
    return seen;
}

// Tab until the named control has the focus.
void tab_to(rt::Form& form, const std::string& name)
{
    for (int i = 0; i < 40 && focused(form) != name; ++i)
        press(form, VK_TAB);
    ASSERT_EQ(focused(form), name);
}

using Keyboard = locktest::LockWindows;

// ---- the password prompt ----

TEST_F(Keyboard, ThePasswordPromptTakesTheTypingAtOnceAndAnswersEnterAndEsc)
{
    set_line(kPasswordProtect, "1");
    set_line(kPasswordSettings, "1");
    put(kPasswordFile, password_record("Tulip 7") + "\r\n");
    Form15& prompt = app->Form15;

    app->Form1.Label16_Click();
    ASSERT_TRUE(prompt.Visible());
    EXPECT_EQ(focused(prompt), "Text1");
    type_keys(prompt, "tulip 7");
    press(prompt, VK_RETURN);
    EXPECT_EQ(messages("Wronge Password"), 1);
    EXPECT_TRUE(prompt.Visible());
    EXPECT_EQ(prompt.Text1.Text(), "tulip 7");
    EXPECT_FALSE(app->Form10.is_loaded());

    press(prompt, VK_ESCAPE);
    EXPECT_FALSE(prompt.is_loaded());
    EXPECT_FALSE(app->Form10.is_loaded());
    EXPECT_EQ(fakes.dialogs->prompts.size(), 1u);

    app->Form1.Label16_Click();
    type_keys(prompt, "Tulip 7");
    press(prompt, VK_RETURN);
    EXPECT_FALSE(prompt.is_loaded());
    EXPECT_TRUE(app->Form10.Visible());
    EXPECT_EQ(messages("Wronge Password"), 1);
}

// ---- the settings window ----

class SettingsKeys : public locktest::LockWindows {
protected:
    void SetUp() override
    {
        LockWindows::SetUp();
        set_line(kShutdownAfterCleanup, "0");
        set_line(kMinimizeToTray, "0");    // "On Program StartUp" hidden
        set_line(kPasswordProtect, "0");   // "Settings", "Windows Tools", "Change Password" hidden
        set_line(kAutoCleanInterval, " 2 ");
    }
    Form10& open()
    {
        app->Form10.open(false);
        return app->Form10;
    }
};

TEST_F(SettingsKeys, TabWalksTheControlsInDesignOrderAndTheArrowsChooseTheInterval)
{
    Form10& f = open();
    ASSERT_EQ(focused(f), "Check1");
    const std::vector<std::string> design_order = {
        "Check3", "Check4", "Check8", "Check9", "Check18", "Check19", "Check15", "Check16", "Check5", "Check2",
        "Check11", "Check7", "Slider1", "Check6", "Option2", "Check17", "Check12", "Slider2", "Command1", "Command2",
        "Check1"};
    EXPECT_EQ(tab_round(f), design_order);
    press(f, VK_TAB, true);
    EXPECT_EQ(focused(f), "Command2");

    tab_to(f, "Option2");
    press(f, VK_DOWN);
    EXPECT_EQ(focused(f), "Option3");
    EXPECT_TRUE(f.Option3.Value());
    EXPECT_FALSE(f.Option2.Value());
    press(f, VK_LEFT);
    press(f, VK_LEFT);
    EXPECT_EQ(focused(f), "Option1");
    EXPECT_TRUE(f.Option1.Value());

    // A box that shows appears at its place in the order; a disabled one is passed over.
    tab_to(f, "Check4");
    press(f, VK_SPACE);
    press(f, VK_TAB);
    EXPECT_EQ(focused(f), "Check10");
    f.Check3.Enabled(false);
    tab_to(f, "Check1");
    press(f, VK_TAB);
    EXPECT_EQ(focused(f), "Check4");
}

TEST_F(SettingsKeys, SpaceTicksAndEscClosesWithoutSaving)
{
    const std::string before = settings_bytes();
    Form10& f = open();
    press(f, VK_SPACE);
    EXPECT_EQ(f.Check1.Value(), 1);
    press(f, VK_SPACE);
    press(f, VK_SPACE);
    EXPECT_EQ(f.Check1.Value(), 1);
    press(f, VK_ESCAPE);
    EXPECT_FALSE(f.is_loaded());
    EXPECT_EQ(settings_bytes(), before);
}

TEST_F(SettingsKeys, EnterSavesAsOkDoesWhereverTheFocusIs)
{
    Form10& f = open();
    f.Check1.Value(1);
    click(f.Command1);
    const std::string by_ok = settings_bytes();
    set_line(kShutdownAfterCleanup, "0");
    ASSERT_NE(settings_bytes(), by_ok);

    open();
    press(f, VK_SPACE);            // "Shutdown After Cleanup"
    tab_to(f, "Slider2");       // a slider takes its arrows, not Enter
    press(f, VK_RETURN);
    EXPECT_FALSE(f.is_loaded());
    EXPECT_EQ(settings_bytes(), by_ok);
}

// ---- the guide ----

TEST_F(Keyboard, EnterClosesTheGuide)
{
    app->info1.Show();
    EXPECT_EQ(focused(app->info1), "Command1");
    press(app->info1, VK_TAB);   // the hint is no stop
    EXPECT_EQ(focused(app->info1), "Command1");
    press(app->info1, VK_RETURN);
    EXPECT_FALSE(app->info1.is_loaded());
}

// ---- the own-locations editor and the area selection ----

class ListKeys : public areatest::AreaWindowTest {
protected:
    std::vector<std::string> made;   // on the shared scratch drives, removed afterwards
    void TearDown() override
    {
        for (const auto& path : made)
            remove_tree(path);
    }
};

TEST_F(ListKeys, TheEditorIsWalkedByTabAndEnterOnTheAddLinkAddsTheChosenFolder)
{
    made = {"E:\\KeyGames"};
    make_dirs("E:\\KeyGames\\Temp");
    Form6& editor = app->Form6;
    editor.Show();
    EXPECT_EQ(focused(editor), "Drive1");
    choose_drive(editor.Drive1, 'E');
    open_folder(editor.Dir1, "KeyGames");   // a click: the folder list has the focus
    ASSERT_EQ(focused(editor), "Dir1");
    EXPECT_EQ(tab_round(editor), (std::vector<std::string>{"File1", "Option1", "Label1", "Label3", "List1", "Drive1",
                                                            "Dir1"}));

    press(editor, VK_DOWN);   // the row below the folder itself, opened
    press(editor, VK_RETURN);
    ASSERT_EQ(editor.Dir1.Path(), "E:\\KeyGames\\Temp");
    press(editor, VK_TAB);
    press(editor, VK_TAB);
    ASSERT_EQ(focused(editor), "Option1");
    EXPECT_FALSE(editor.Option1.Value()) << "the focus alone chooses nothing";
    press(editor, VK_DOWN);
    EXPECT_EQ(focused(editor), "Option2");
    EXPECT_TRUE(editor.Option2.Value());
    press(editor, VK_UP);
    EXPECT_TRUE(editor.Option1.Value());
    press(editor, VK_TAB);
    ASSERT_EQ(focused(editor), "Label1");
    press(editor, VK_RETURN);
    EXPECT_EQ(read_bytes(dir / kUserLocationsFile), "D E:\\KeyGames\\Temp\\\r\n");
    ASSERT_EQ(editor.List1.ListCount(), 1);
    EXPECT_EQ(editor.List1.List(0), "Clean Folder : E:\\KeyGames\\Temp\\");
    EXPECT_TRUE(fakes.dialogs->prompts.empty());
}

TEST_F(ListKeys, TheAreaListsAreChosenByKeysAndEnterOnBackWritesTheFile)
{
    open_advanced();   // pmdb.lst choosing nothing
    ASSERT_EQ(focused(area()), "List1");
    EXPECT_EQ(tab_round(area()), (std::vector<std::string>{"List2", "Label1", "Label2", "Label5", "Label6",
                                                            "Picture1", "List1"}));

    press(area(), VK_DOWN);    // GAMER FILES' item
    press(area(), VK_DOWN);    // INTERNET
    press(area(), VK_SPACE);   // and its six items with it
    EXPECT_EQ(shown_selection(area().List1), "001111111000");
    press(area(), VK_END);
    press(area(), VK_SPACE);   // Clear Log Files, with its header
    EXPECT_EQ(shown_selection(area().List1), "001111111101");
    press(area(), VK_TAB);
    press(area(), VK_SPACE);   // the first option
    EXPECT_EQ(shown_selection(area().List2), "1000");

    for (int i = 0; i < 5; ++i)
        press(area(), VK_TAB);
    ASSERT_EQ(focused(area()), "Picture1");
    press(area(), VK_RETURN);
    EXPECT_FALSE(area().is_loaded());
    EXPECT_TRUE(form().Visible());
    EXPECT_EQ(read_bytes(dir / "pmdb.lst"), areatest::pmdb("001111111101", "1000"));
}

} // namespace
