// The own-locations editor on real folders of the scratch drives: what an add writes, what
// it refuses, removals that keep the other entries byte for byte, and the way back.
#include "area_selection_fixture.h"
#include "common/paths.h"
#include "runtime/filesys.h"

using namespace pellmaris;
using namespace testsupport;

namespace {

class OwnLocations : public areatest::AreaWindowTest {
protected:
    std::vector<std::string> made;   // on the shared scratch drives, removed afterwards

    void TearDown() override
    {
        for (const auto& path : made)
            testsupport::remove_tree(path);
    }

    Form6& editor() { return app->Form6; }
    std::string list_path() { return dir / kUserLocationsFile; }
    std::string list_bytes() { return rt::file_exists(list_path()) ? testsupport::read_bytes(list_path()) : "<none>"; }

    // ADVANCED, then "Build / Add  / Amend a Custom List" as the message loop runs a click:
    // the area selection's unload waits for the end of its handler.
    void open_editor()
    {
        open_advanced();
        area().run_handler(area().Label1.on_click);
        pump();
    }

    // The user picks the kind of entry and clicks "Add to Custom Cleaning List".
    void add(rt::OptionButton& kind)
    {
        click_button(kind);
        editor().Label1.on_click();
        pump();
    }

    // The editor on the program folder, a drive away from it first.
    void show_program_folder()
    {
        choose_drive(editor().Drive1, 'E');
        choose_drive(editor().Drive1, 'S');
        open_folder(editor().Dir1, dir.path().substr(3));
        ASSERT_EQ(editor().Dir1.Path(), dir.path());
    }

    std::string last_prompt() const
    {
        return fakes.dialogs->prompts.empty() ? "" : fakes.dialogs->prompts.back().text;
    }
};

TEST_F(OwnLocations, AddsAFolderAndAFileFromADriveRootAsTheUserPicksThem)
{
    made = {"E:\\Games", "D:\\x.txt"};
    testsupport::make_dirs("E:\\Games\\Temp");
    testsupport::write_bytes("D:\\x.txt", "x");
    open_editor();
    ASSERT_TRUE(editor().Visible());
    EXPECT_FALSE(area().is_loaded());
    EXPECT_FALSE(form().Visible());
    EXPECT_EQ(editor().Caption(), "Pellmaris");

    choose_drive(editor().Drive1, 'E');
    open_folders(editor().Dir1, "Games\\Temp");
    add(editor().Option1);
    EXPECT_EQ(list_bytes(), "D E:\\Games\\Temp\\\r\n");
    ASSERT_EQ(editor().List1.ListCount(), 1);
    EXPECT_EQ(editor().List1.List(0), "Clean Folder : E:\\Games\\Temp\\");
    EXPECT_FALSE(editor().Option1.Value());

    choose_drive(editor().Drive1, 'D');
    EXPECT_EQ(editor().Dir1.Path(), "D:\\");
    pick_file(editor().File1, "x.txt");
    add(editor().Option2);
    EXPECT_EQ(list_bytes(), "D E:\\Games\\Temp\\\r\nF D:\\x.txt\r\n");
    ASSERT_EQ(editor().List1.ListCount(), 2);
    EXPECT_EQ(editor().List1.List(1), "Clean File       : D:\\x.txt");
    EXPECT_FALSE(editor().Option2.Value());
    EXPECT_TRUE(fakes.dialogs->prompts.empty()) << last_prompt();

    SendMessageA(editor().hWnd(), WM_CLOSE, 0, 0);
    pump();
    EXPECT_FALSE(editor().is_loaded());
    EXPECT_TRUE(area().Visible());
    EXPECT_FALSE(form().Visible());
    EXPECT_EQ(area().List1.ListCount(), 13);
    EXPECT_EQ(area().List1.List(12), "USER OWN LOCATIONS");
}

TEST_F(OwnLocations, RefusedLocationsWriteNothing)
{
    open_editor();
    add(editor().Option1);   // the drive C root, named as the user chose it
    EXPECT_NE(last_prompt().find("This folder cannot be added to the Custom Cleaning List:\r\nC:\\\r\n"),
              std::string::npos)
        << last_prompt();

    choose_drive(editor().Drive1, 'E');
    add(editor().Option1);   // a drive root
    EXPECT_NE(last_prompt().find(":\r\nE:\\\r\n"), std::string::npos) << last_prompt();

    choose_drive(editor().Drive1, 'C');
    editor().Dir1.Path("C:\\");
    open_folder(editor().Dir1, "windows");   // the Windows folder
    add(editor().Option1);
    EXPECT_NE(last_prompt().find("C:\\windows\\"), std::string::npos) << last_prompt();
    editor().Dir1.Path("C:\\");
    open_folder(editor().Dir1, "users");     // holds every profile
    add(editor().Option1);
    EXPECT_NE(last_prompt().find("C:\\users\\"), std::string::npos) << last_prompt();

    show_program_folder();
    add(editor().Option1);                   // the program folder
    EXPECT_NE(last_prompt().find(dir.path() + "\\"), std::string::npos) << last_prompt();
    pick_file(editor().File1, "pmdb.lst");   // one of its files
    add(editor().Option2);
    EXPECT_NE(last_prompt().find("This file cannot be added"), std::string::npos) << last_prompt();

    for (const auto& prompt : fakes.dialogs->prompts) {
        EXPECT_EQ(prompt.title, "Pellmaris");
        EXPECT_EQ(prompt.style, rt::vbExclamation);
    }
    EXPECT_EQ(fakes.dialogs->prompts.size(), 6u);
    EXPECT_EQ(list_bytes(), "<none>");
    EXPECT_EQ(editor().List1.ListCount(), 0);
}

TEST_F(OwnLocations, HiddenAndSystemFilesAreListedAndCanBeAdded)
{
    made = {"E:\\Marked"};
    make_dirs("E:\\Marked");
    const std::pair<const char*, DWORD> files[] = {
        {"plain.txt", FILE_ATTRIBUTE_NORMAL},
        {"hidden.txt", FILE_ATTRIBUTE_HIDDEN},
        {"system.txt", FILE_ATTRIBUTE_SYSTEM},
        {"both.txt", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_READONLY},
    };
    for (const auto& [name, attributes] : files) {
        const std::string path = std::string("E:\\Marked\\") + name;
        write_bytes(path, "x");
        ASSERT_TRUE(SetFileAttributesA(path.c_str(), attributes)) << name;
    }
    open_editor();
    choose_drive(editor().Drive1, 'E');
    open_folder(editor().Dir1, "Marked");
    EXPECT_EQ(editor().File1.ListCount(), 4);
    for (const char* name : {"hidden.txt", "system.txt", "both.txt"}) {
        pick_file(editor().File1, name);
        add(editor().Option2);
    }
    EXPECT_EQ(list_bytes(), "F E:\\Marked\\hidden.txt\r\nF E:\\Marked\\system.txt\r\nF E:\\Marked\\both.txt\r\n");
    for (const auto& [name, attributes] : files)
        SetFileAttributesA((std::string("E:\\Marked\\") + name).c_str(), FILE_ATTRIBUTE_NORMAL);
}

// The file list is a listing of the past: what the name is when the user adds it counts.
TEST_F(OwnLocations, AFileSwappedForAFolderBeforeTheAddIsRefused)
{
    made = {"E:\\Swap"};
    testsupport::make_dirs("E:\\Swap");
    testsupport::write_bytes("E:\\Swap\\x.txt", "x");
    open_editor();
    choose_drive(editor().Drive1, 'E');
    open_folder(editor().Dir1, "Swap");
    pick_file(editor().File1, "x.txt");
    ASSERT_TRUE(DeleteFileA("E:\\Swap\\x.txt"));
    testsupport::make_dirs("E:\\Swap\\x.txt");
    add(editor().Option2);
    EXPECT_NE(last_prompt().find("This file cannot be added"), std::string::npos) << last_prompt();
    EXPECT_EQ(list_bytes(), "<none>");
    EXPECT_EQ(editor().List1.ListCount(), 0);
}

TEST_F(OwnLocations, AnIncompleteChoiceIsAskedForAndNotWritten)
{
    open_editor();
    editor().Label1.on_click();
    ASSERT_EQ(fakes.dialogs->prompts.size(), 1u);
    EXPECT_EQ(fakes.dialogs->prompts[0].text,
              "Select if the [FOLDER] is to be cleaned or the individual [FILE] is to be deleted");
    EXPECT_EQ(fakes.dialogs->prompts[0].style, rt::vbInformation);
    EXPECT_EQ(fakes.dialogs->prompts[0].title, "Pellmaris");

    show_program_folder();
    add(editor().Option2);   // "Clean File Only", no file chosen
    ASSERT_EQ(fakes.dialogs->prompts.size(), 2u);
    EXPECT_EQ(fakes.dialogs->prompts[1].text, "Select the [FILE] to be deleted in the list of files");
    EXPECT_EQ(list_bytes(), "<none>");
}

TEST_F(OwnLocations, RemovalsKeepTheOtherEntriesByteForByte)
{
    put_user_locations("D E:\\Games\\Temp\\\r\nf S:\\odd  case.TXT\r\nX S:\\not a folder\\\r\nd S:\\lower\\\r\n");
    open_editor();
    EXPECT_EQ(editor().List1.items(), (std::vector<std::string>{
                                          "Clean Folder : E:\\Games\\Temp\\",
                                          "Clean File       : S:\\odd  case.TXT",
                                          "Clean File       : S:\\not a folder\\",
                                          "Clean Folder : S:\\lower\\",
                                      }));
    click_row(editor().List1, 0);
    editor().Label3.on_click();
    EXPECT_EQ(list_bytes(), "f S:\\odd  case.TXT\r\nX S:\\not a folder\\\r\nd S:\\lower\\\r\n");
    EXPECT_EQ(editor().List1.items(), (std::vector<std::string>{
                                          "Clean File        : S:\\odd  case.TXT",
                                          "Clean File        : S:\\not a folder\\",
                                          "Clean Folder : S:\\lower\\",
                                      }));

    click_row(editor().List1, 1);
    editor().Label3.on_click();
    EXPECT_EQ(list_bytes(), "f S:\\odd  case.TXT\r\nd S:\\lower\\\r\n");
    EXPECT_EQ(editor().List1.ListCount(), 2);
}

TEST_F(OwnLocations, EmptyingTheListAndClosingDeletesTheFile)
{
    put_user_locations("D E:\\Games\\Temp\\\r\n");
    open_editor();
    click_row(editor().List1, 0);
    editor().Label3.on_click();
    EXPECT_EQ(list_bytes(), "");   // emptied, still there while the editor is open
    SendMessageA(editor().hWnd(), WM_CLOSE, 0, 0);
    pump();
    EXPECT_EQ(list_bytes(), "<none>");
    EXPECT_TRUE(area().Visible());
    EXPECT_EQ(area().List1.ListCount(), 12);

    area().Label1.on_click();   // and once more with no file at all
    pump();
    SendMessageA(editor().hWnd(), WM_CLOSE, 0, 0);
    pump();
    EXPECT_TRUE(area().Visible());
    EXPECT_TRUE(fakes.dialogs->prompts.empty()) << last_prompt();
}

// The rows are all a removal knows: a file it could not read at load, or one changed since,
// is shown afresh and not rewritten from the rows.
TEST_F(OwnLocations, ARemovalNeverDropsEntriesTheListDoesNotShow)
{
    const std::string old = "D S:\\first\\\r\nF S:\\second.txt\r\n";
    put_user_locations(old);
    HANDLE lock = CreateFileA(list_path().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    open_editor();
    CloseHandle(lock);
    ASSERT_EQ(editor().List1.ListCount(), 0);
    editor().Label3.on_click();
    EXPECT_EQ(list_bytes(), old);
    EXPECT_EQ(editor().List1.ListCount(), 2);

    testsupport::write_bytes(list_path(), old + "D S:\\third\\\r\n");
    click_row(editor().List1, 0);
    editor().Label3.on_click();
    EXPECT_EQ(list_bytes(), old + "D S:\\third\\\r\n");
    EXPECT_EQ(editor().List1.ListCount(), 3);
    EXPECT_EQ(fakes.dialogs->prompts.size(), 2u);
}

TEST_F(OwnLocations, AFailedWriteChangesNeitherTheFileNorTheList)
{
    made = {"E:\\WriteFails"};
    testsupport::make_dirs("E:\\WriteFails");
    const std::string old = "D S:\\kept\\\r\n";
    put_user_locations(old);
    SetFileAttributesA(list_path().c_str(), FILE_ATTRIBUTE_READONLY);
    open_editor();
    choose_drive(editor().Drive1, 'E');
    open_folder(editor().Dir1, "WriteFails");
    add(editor().Option1);
    EXPECT_NE(last_prompt().find("could not be saved"), std::string::npos) << last_prompt();
    EXPECT_EQ(editor().List1.ListCount(), 1);

    click_row(editor().List1, 0);
    editor().Label3.on_click();
    EXPECT_EQ(fakes.dialogs->prompts.size(), 2u);
    EXPECT_EQ(editor().List1.ListCount(), 1);
    SetFileAttributesA(list_path().c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(list_bytes(), old);
}

TEST_F(OwnLocations, ADriveThatIsNotReadyKeepsTheDriveShownBefore)
{
    ASSERT_TRUE(testsupport::make_drive_n_not_ready()) << "the test prefix has no drive N:, or its folder stays";
    made = {"E:\\NotReady"};
    testsupport::make_dirs("E:\\NotReady");
    open_editor();
    choose_drive(editor().Drive1, 'E');
    open_folder(editor().Dir1, "NotReady");
    choose_drive(editor().Drive1, 'N');
    ASSERT_EQ(fakes.dialogs->prompts.size(), 1u);
    EXPECT_EQ(fakes.dialogs->prompts[0].text, "Drive N: is not ready.");
    EXPECT_EQ(editor().Dir1.Path(), "E:\\NotReady");
    EXPECT_EQ(editor().Drive1.Drive().substr(0, 2), "e:");
    EXPECT_EQ(editor().File1.Path(), "E:\\NotReady");
}

TEST(OwnLocationRules, WildcardsAndTheProgramsOwnFilesAreRefused)
{
    const std::string program = "S:\\some\\program";
    EXPECT_NE(own_location_refusal({false, "S:\\a\\*.log"}, program), "");
    EXPECT_NE(own_location_refusal({false, "S:\\a\\b?.txt"}, program), "");
    EXPECT_NE(own_location_refusal({false, "s:\\SOME\\Program\\settings.ini"}, program), "");
    EXPECT_NE(own_location_refusal({false, "S:\\some\\program\\pellmarisgui\\back.jpg"}, program), "");
    EXPECT_EQ(own_location_refusal({false, "S:\\some\\programs\\x.txt"}, program), "");
    EXPECT_EQ(own_location_refusal({false, "D:\\x.txt"}, program), "");
    EXPECT_EQ(own_location_refusal({true, "S:\\some\\other\\"}, program), "");
    EXPECT_NE(own_location_refusal({true, "S:\\some\\"}, program), "");
}

} // namespace
