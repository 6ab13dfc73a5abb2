// The real Pellmaris.exe, started from the places users run it from: a drive root (a copy on a
// stick), and a folder whose name holds what the command interpreter would expand or split.
// In each: the start-up dumps are made, FULL CLEAN keeps the program's own files and the files
// of the Windows folder, Program Files and a profile (named through the drive letters mapped
// onto them too) that the user's own locations name and empties the folder named beside them,
// and the file search reaches its end; the program then ends through its own exit path.
#include <gtest/gtest.h>
#include "common/area_options.h"
#include "common/paths.h"
#include "common/user_locations.h"
#include "e2e/real_program.h"
#include "runtime/filesys.h"
#include "support/aliased_folders.h"
#include "support/scratch.h"
#include "tools/search_files.h"

using namespace pellmaris;

namespace {

constexpr DWORD kStartMs = 60000, kStepMs = 30000, kSearchMs = 120000;
constexpr const char* kMainCaption = "Pellmaris        Version";
// The small drive the search lists (the test prefix maps it to a scratch folder of its own).
constexpr const char* kSearchDrive = "R:\\";

bool has_line(const std::string& text, const std::string& line)
{
    return ("\r\n" + text).find("\r\n" + line + "\r\n") != std::string::npos;
}

std::string bytes_or_none(const std::string& path)
{
    return rt::file_exists(path) ? testsupport::read_bytes(path) : std::string("(none)");
}

// A click on a windowless control (a picture button shows its hover picture under the pointer,
// and that takes the click) until the window it opens shows; nullptr when it never does.
HWND open_by_click(const e2e::RealProgram& program, HWND window, POINT at, const std::string& opens)
{
    for (int attempt = 0; attempt < 3; ++attempt)
        if (e2e::hover(window, at) && e2e::click(window, at))
            if (HWND opened = program.wait_for_window(opens, kStepMs / 3))
                return opened;
    return nullptr;
}

class RealProgramIn : public ::testing::Test {
protected:
    testsupport::ScratchDir scratch;
    std::string folder;   // the program folder
    std::string control = scratch / "control";
    // The profiles' folder and everything in it is no place a clean goes: not the control's.
    std::string profile = scratch / "users\\e2e";
    std::vector<std::pair<std::string, std::string>> own_files;   // kept byte for byte
    // Files in the Windows folder, Program Files and the profiles, named through the drive
    // letters mapped onto them and by their plain names: kept too.
    testsupport::AliasedFiles aliased;
    std::vector<std::string> staged;

    // The staged program in the folder, with the user area alone selected, own locations naming
    // its settings, its location database and its skin folder, and a control folder beside them.
    void place_program(const std::string& program_folder)
    {
        folder = program_folder;
        staged = e2e::copy_stage(folder);
        const std::string in_folder = folder.back() == '\\' ? folder : folder + "\\";
        std::vector<bool> areas(13, false);
        areas[kRowUserOwnLocations - 1] = true;
        write_area_options(in_folder + kAreaOptionsFile, areas, {});
        std::vector<std::string> lines = {"F " + in_folder + "settings.ini", "F " + in_folder + "PMlist.lst",
                                          "D " + in_folder + "pellmarisgui\\", "D " + control + "\\"};
        for (const testsupport::AliasedFolder& aliased_folder : testsupport::aliased_folders())
            for (const std::string& spelling : {aliased_folder.alias, aliased_folder.plain})
                lines.push_back("F " + aliased.make(spelling, "kept"));
        write_user_location_lines(in_folder + "PMuser.lst", lines);
        append_search_extension(in_folder + kSearchExtensionsFile, ".e2e");
        for (const auto& [path, bytes] : e2e::files_below(folder))
            if (path == "settings.ini" || path == "PMlist.lst" || path.rfind("pellmarisgui\\", 0) == 0)
                own_files.emplace_back(path, bytes);
        ASSERT_EQ(own_files.size(), 16u);   // the two files and the fourteen pictures
        testsupport::make_dirs(control + "\\sub");
        testsupport::make_dirs(profile);
        for (const char* name : {"a.tmp", "b.log", "sub\\c.tmp"})
            testsupport::write_bytes(control + "\\" + name, "junk");
    }

    std::string in_program(const std::string& name) const
    {
        return (folder.back() == '\\' ? folder : folder + "\\") + name;
    }

    void expect_own_files_kept()
    {
        for (const auto& [path, bytes] : own_files)
            EXPECT_TRUE(bytes_or_none(in_program(path)) == bytes) << in_program(path) << " is gone or changed";
    }

    // Everything the user does, from the start to the end of the program.
    void run_as_a_user()
    {
        e2e::RealProgram program(folder, {{"USERPROFILE", profile},
                                          {"HOMEDRIVE", "R:"},
                                          {"HOMEPATH", "\\"},
                                          {"TEMP", scratch.path()},
                                          {"TMP", scratch.path()}});
        ASSERT_TRUE(program.started());
        HWND main = program.wait_for_window(kMainCaption, kStartMs, true);
        ASSERT_TRUE(main) << program.visible_windows();

        // The start-up dumps were made in the program folder and read (the main window shows
        // only after the system information was read back).
        const std::string dump = in_program("orvane.dat");
        ASSERT_TRUE(e2e::wait_until([&] { return has_line(bytes_or_none(dump), "HOMEDRIVE=R:"); }, kStepMs))
            << bytes_or_none(dump);
        EXPECT_TRUE(has_line(bytes_or_none(dump), "USERPROFILE=" + profile));
        EXPECT_TRUE(rt::file_exists(in_program("Pellmaris.txt")));   // empty under Wine

        e2e::Layout layout(scratch / "layout");
        Form1& model = layout.app().Form1;
        HWND report = open_by_click(program, main, e2e::middle_of(model.Picture1), "Pellmaris");
        ASSERT_TRUE(report) << program.visible_windows();
        expect_own_files_kept();
        aliased.expect_intact();
        EXPECT_TRUE(e2e::files_below(control).empty());
        EXPECT_NE(bytes_or_none(in_program("date.lst")), "(none)");

        // The report closes back to the main window; ADVANCED, then "Find 0.0KB Files".
        PostMessageW(report, WM_SYSCOMMAND, SC_CLOSE, 0);
        ASSERT_TRUE(e2e::wait_until([&] { return IsWindowVisible(main) && !IsWindowVisible(report); }, kStepMs));
        HWND areas = open_by_click(program, main, e2e::middle_of(model.Picture9), "Pellmaris");
        ASSERT_TRUE(areas) << program.visible_windows();
        HWND search =
            open_by_click(program, areas, e2e::middle_of(layout.app().Form3.Label6), "Pellmaris file cleanup");
        ASSERT_TRUE(search) << program.visible_windows();

        const std::vector<HWND> lists = e2e::children_of_class(search, "ListBox");
        ASSERT_EQ(lists.size(), 2u);
        ASSERT_TRUE(e2e::click_list_row(lists[0], ".e2e"));
        ASSERT_TRUE(e2e::click_list_row(lists[1], kSearchDrive));
        ASSERT_TRUE(e2e::click(e2e::child_with_text(search, "START SEARCH")));
        const std::string listing = in_program(kSearchResultsFile);
        EXPECT_TRUE(e2e::wait_until([&] { return has_line(bytes_or_none(listing), "FINISHED "); }, kSearchMs))
            << bytes_or_none(listing) << program.visible_windows();

        // Finished, closing the search window ends the program through the main window's exit,
        // which removes the start-up work files. (Still searching, it would ask first.)
        Sleep(1500);
        PostMessageW(search, WM_SYSCOMMAND, SC_CLOSE, 0);
        EXPECT_TRUE(program.wait_for_exit(kStepMs)) << program.visible_windows();
        for (const char* work_file : {"orvane.bat", "orvane.dat", "Pellmaris.bat", "Pellmaris.txt"})
            EXPECT_FALSE(rt::path_exists(in_program(work_file))) << work_file;
        expect_own_files_kept();
    }
};

// A copy on a stick: the program at the root of its drive.
class RealProgramAtADriveRoot : public RealProgramIn {
protected:
    void TearDown() override
    {
        for (const auto& name : staged)
            testsupport::remove_tree("R:\\" + name);
        for (const char* made : {"PMuser.lst", "PMsearch.lst", "PMsearch.bat", "PMsearch.txt", "date.lst",
                                 "PMerror.log", "orvane.bat", "orvane.dat", "Pellmaris.bat", "Pellmaris.txt"})
            testsupport::remove_tree(std::string("R:\\") + made);
    }
};

TEST_F(RealProgramAtADriveRoot, MakesItsDumpsKeepsItsOwnFilesAndFinishesItsSearch)
{
    place_program("R:\\");
    run_as_a_user();
}

TEST_F(RealProgramIn, AFolderWhoseNameTheCommandInterpreterWouldExpandOrSplit)
{
    place_program(scratch / "p%windir%q &^!() \xC3\xA9");
    run_as_a_user();
}

} // namespace
