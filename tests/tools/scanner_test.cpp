// The zero-length-file scanner on scratch trees standing in for the machine's drives.
#include <algorithm>
#include <atomic>
#include <set>
#include <thread>
#include "tools_fixture.h"
#include "runtime/filesys.h"
#include "support/aliased_folders.h"
#include "support/host.h"
#include "support/host_link.h"
#include "support/scratch.h"

using namespace pellmaris;
using testsupport::make_dirs;
using testsupport::write_bytes;

namespace {

class Scanner : public toolstest::ToolsTest {
protected:
    std::string tree = dir / "tree";

    Scanner() { make_dirs(tree); }

    Form12& scanner() { return app->Form12; }

    // Opens the scanner with these folders as its only drives (the test prefix's real
    // drives hold the whole build tree) and lets its timers run the scan.
    void open_on(const std::vector<std::string>& roots)
    {
        scanner().open_scanner();
        scanner().List3.Clear();
        for (const std::string& root : roots)
            scanner().List3.AddItem(root);
    }
    bool finished()
    {
        return scanner().is_loaded() && !scanner().scanning() && !scanner().Timer1.Enabled() &&
               !scanner().Timer2.Enabled();
    }
    void scan(const std::vector<std::string>& roots)
    {
        open_on(roots);
        ASSERT_TRUE(pump_until([&] { return finished(); })) << "the scan did not end";
    }
    void scan_tree() { scan({tree + "\\"}); }

    std::set<std::string> found()
    {
        const auto& rows = scanner().List1.items();
        return {rows.begin(), rows.end()};
    }
    long row_of(const std::string& path)
    {
        const auto& rows = scanner().List1.items();
        auto it = std::find(rows.begin(), rows.end(), path);
        return it == rows.end() ? -1 : static_cast<long>(it - rows.begin());
    }
    void select(const std::string& path)
    {
        const long row = row_of(path);
        ASSERT_GE(row, 0) << path << " not listed";
        scanner().List1.Selected(row, true);
    }
    std::string file(const std::string& rel, const std::string& bytes = "")
    {
        const std::string path = tree + "\\" + rel;
        make_dirs(path.substr(0, path.find_last_of('\\')));
        write_bytes(path, bytes);
        return path;
    }
    static void set_attributes(const std::string& path, DWORD attributes)
    {
        ASSERT_TRUE(SetFileAttributesA(path.c_str(), attributes)) << path;
    }
    static bool exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }
};

const char* const kFoundZero = "Found [ 0 ] file(s) of zero length on hard disk(s)";

TEST_F(Scanner, FindsTheEmptyPlainFilesInEveryFolderItWalks)
{
    const std::string empty = file("empty.txt");
    file("data.txt", "x");
    const std::string deep = file("sub\\inner\\empty.log");
    set_attributes(file("readonly.txt"), FILE_ATTRIBUTE_READONLY);
    file(".hidden.txt");   // Wine shows dot-files as hidden
    set_attributes(file("system.txt"), FILE_ATTRIBUTE_SYSTEM);
    const std::string in_hidden = file(".hiddenfolder\\inside.txt");
    const std::string in_system = file("systemfolder\\inside.txt");
    set_attributes(tree + "\\systemfolder", FILE_ATTRIBUTE_SYSTEM);
    const std::string in_both = file(".hiddensystem\\inside.txt");
    set_attributes(tree + "\\.hiddensystem", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);

    scan_tree();

    EXPECT_EQ(found(), (std::set<std::string>{empty, deep, in_hidden, in_system, in_both}));
    EXPECT_EQ(scanner().Label1.Caption(), "Found [ 5 ] file(s) of zero length on hard disk(s)");
    EXPECT_EQ(scanner().List2.List(0), tree + "\\");
    EXPECT_EQ(scanner().List2.ListCount(), 6);   // the root and the five folders beneath it
    EXPECT_EQ(scanner().ProgressBar1.Value(), 0);
}

// Every attribute class of folder and file: which folders the walk takes and which files
// it lists, and in what order, are pinned row by row.
TEST_F(Scanner, EveryAttributeClassOfFolderAndFileGivesTheKnownRows)
{
    const std::vector<std::pair<std::string, DWORD>> folder_classes = {
        {"plain", 0},
        {"hid", FILE_ATTRIBUTE_HIDDEN},
        {"sys", FILE_ATTRIBUTE_SYSTEM},
        {"hidsys", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM},
        {"ro", FILE_ATTRIBUTE_READONLY},
        {"rohid", FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN},
        {"rosys", FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_SYSTEM},
        {"rohidsys", FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM},
        {".dot", 0},   // hidden by its name
    };
    const std::vector<std::pair<std::string, DWORD>> file_classes = {
        {"e", 0},
        {"r", FILE_ATTRIBUTE_READONLY},
        {"h", FILE_ATTRIBUTE_HIDDEN},
        {"s", FILE_ATTRIBUTE_SYSTEM},
        {"rh", FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN},
        {"hs", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM},
        {"rhs", FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM},
        {"n", FILE_ATTRIBUTE_NOT_CONTENT_INDEXED},
        {".e", 0},   // hidden by its name
    };
    auto fill = [&](const std::string& folder) {
        for (const auto& [name, attributes] : file_classes) {
            write_bytes(folder + "\\" + name, "");
            if (attributes)
                set_attributes(folder + "\\" + name, attributes);
        }
        write_bytes(folder + "\\data", "x");
        make_dirs(folder + "\\inner");
        write_bytes(folder + "\\inner\\e", "");
    };
    fill(tree);
    std::vector<std::string> read_only_folders;
    for (const auto& [name, attributes] : folder_classes) {
        const std::string folder = tree + "\\" + name;
        make_dirs(folder);
        fill(folder);
        if (attributes & ~FILE_ATTRIBUTE_READONLY)
            set_attributes(folder, attributes & ~FILE_ATTRIBUTE_READONLY);
        if (attributes & FILE_ATTRIBUTE_READONLY) {   // Wine shows a folder without write permission as read-only
            ASSERT_TRUE(testsupport::run_on_host({"/bin/chmod", "a-w", testsupport::host_path(folder)}));
            read_only_folders.push_back(folder);
        }
        ASSERT_EQ(GetFileAttributesA(folder.c_str()) & 7, attributes | (name[0] == '.' ? FILE_ATTRIBUTE_HIDDEN : 0))
            << name;
    }
    const std::string outside = dir / "outside";
    make_dirs(outside);
    write_bytes(outside + "\\sentinel", "");
    const testsupport::HostLink folder_link(tree + "\\link", outside);
    const testsupport::HostLink file_link(tree + "\\filelink", outside + "\\sentinel");
    ASSERT_TRUE(folder_link.made() && file_link.made());

    scan_tree();
    for (const std::string& folder : read_only_folders)
        testsupport::run_on_host({"/bin/chmod", "u+w", testsupport::host_path(folder)});

    auto relative = [&](std::vector<std::string> paths) {
        for (std::string& p : paths)
            p = p.substr(tree.size());
        return paths;
    };
    // Each pass takes the folders whose attributes are its own, in listing order; read-only,
    // hidden and system files are not listed, a link to an empty file is (Wine shows it as a
    // plain file; the deletion keeps it).
    EXPECT_EQ(relative(scanner().List2.items()),
              (std::vector<std::string>{"\\", "\\inner\\", "\\plain\\", "\\ro\\", "\\.dot\\", "\\hid\\",
                                        "\\rohid\\", "\\sys\\", "\\rosys\\", "\\hidsys\\", "\\rohidsys\\",
                                        "\\plain\\inner\\", "\\ro\\inner\\", "\\.dot\\inner\\", "\\hid\\inner\\",
                                        "\\rohid\\inner\\", "\\sys\\inner\\", "\\rosys\\inner\\",
                                        "\\hidsys\\inner\\", "\\rohidsys\\inner\\"}));
    const std::vector<std::string> walked = {"plain", "ro", ".dot", "hid", "rohid", "sys", "rosys", "hidsys", "rohidsys"};
    std::vector<std::string> rows = {"\\e", "\\filelink", "\\n", "\\inner\\e"};
    for (const std::string& folder : walked)
        for (const std::string name : {"e", "n"})
            rows.push_back("\\" + folder + "\\" + name);
    for (const std::string& folder : walked)
        rows.push_back("\\" + folder + "\\inner\\e");
    EXPECT_EQ(relative(scanner().List1.items()), rows);
}

TEST_F(Scanner, WithNoEmptyFileTheCountIsZero)
{
    file("a.txt", "a");
    file("sub\\b.txt", "b");
    scan_tree();
    EXPECT_TRUE(found().empty());
    EXPECT_EQ(scanner().Label1.Caption(), kFoundZero);
}

TEST_F(Scanner, EachDriveFollowsTheOneBeforeInOneListWithoutRepeats)
{
    const std::string first = dir / "first", second = dir / "second";
    make_dirs(first + "\\a\\deep");
    make_dirs(second + "\\b");
    write_bytes(second + "\\b\\empty", "");

    scan({first + "\\", second + "\\"});

    EXPECT_EQ(scanner().List2.items(), (std::vector<std::string>{first + "\\", first + "\\a\\", first + "\\a\\deep\\",
                                                                 second + "\\", second + "\\b\\"}));
    EXPECT_EQ(found(), (std::set<std::string>{second + "\\b\\empty"}));
}

TEST_F(Scanner, DeletesOnlySelectedFilesThatAreStillEmptyPlainFiles)
{
    const std::string gone = file("gone.txt"), grown = file("grown.txt"), kept = file("kept.txt");
    const std::string now_folder = file("now_folder"), now_read_only = file("now_read_only");
    const std::string in_use = file("in_use.log");
    const std::string sentinel = dir / "sentinel.txt";
    write_bytes(sentinel, "");   // beside the scanned tree
    scan_tree();
    ASSERT_EQ(found().size(), 6u);

    click(scanner().Command1);   // nothing selected: nothing happens
    EXPECT_EQ(found().size(), 6u);
    EXPECT_TRUE(exists(gone));

    for (const auto& path : {gone, grown, now_folder, now_read_only, in_use})
        select(path);
    // Another program writes to this one: it may give it data at any moment.
    HANDLE writer = CreateFileA(in_use.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(writer, INVALID_HANDLE_VALUE);
    write_bytes(grown, "data arrived after the scan");
    ASSERT_TRUE(DeleteFileA(now_folder.c_str()));
    make_dirs(now_folder);
    set_attributes(now_read_only, FILE_ATTRIBUTE_READONLY);
    click(scanner().Command1);
    CloseHandle(writer);

    EXPECT_FALSE(exists(gone));
    EXPECT_TRUE(exists(in_use));
    EXPECT_EQ(testsupport::read_bytes(grown), "data arrived after the scan");
    EXPECT_TRUE(exists(now_folder));
    EXPECT_TRUE(exists(now_read_only));
    EXPECT_TRUE(exists(kept));
    EXPECT_TRUE(exists(sentinel));
    EXPECT_EQ(found(), (std::set<std::string>{grown, kept, now_folder, now_read_only, in_use}));
    EXPECT_EQ(fakes.dialogs->prompts.size(), 1u);   // saying why four were kept
}

TEST_F(Scanner, TheRowsOfFilesKeptAreDeselectedAndTheMessageSaysHowManyAndWhy)
{
    const std::string deleted = file("deleted"), gone = file("gone"), grown = file("grown"), in_use = file("in_use");
    const std::string now_folder = file("now_folder"), now_link = file("now_link"), unselected = file("unselected");
    put("marker.dat", "");
    const std::string marker = folder + "\\marker.dat", outside = dir / "outside";
    scan({dir.path() + "\\"});
    for (const std::string& path : {deleted, gone, grown, in_use, now_folder, now_link, marker})
        select(path);
    make_dirs(outside);
    write_bytes(outside + "\\sentinel", "");

    ASSERT_TRUE(DeleteFileA(gone.c_str()));
    write_bytes(grown, "data arrived after the scan");
    HANDLE writer = CreateFileA(in_use.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(writer, INVALID_HANDLE_VALUE);
    ASSERT_TRUE(DeleteFileA(now_folder.c_str()));
    make_dirs(now_folder);
    ASSERT_TRUE(DeleteFileA(now_link.c_str()));
    const testsupport::HostLink link(now_link, outside + "\\sentinel");
    ASSERT_TRUE(link.made());
    click(scanner().Command1);
    CloseHandle(writer);
    pump_for(50);

    EXPECT_FALSE(exists(deleted));
    EXPECT_TRUE(exists(outside + "\\sentinel"));
    EXPECT_EQ(scanner().List1.items(), (std::vector<std::string>{marker, grown, in_use, now_folder, now_link, unselected}));
    for (long i = 0; i < scanner().List1.ListCount(); ++i)
        EXPECT_FALSE(scanner().List1.Selected(i)) << scanner().List1.List(i);
    EXPECT_EQ(SendMessageA(scanner().List1.hWnd(), LB_GETSELCOUNT, 0, 0), 0);
    ASSERT_EQ(fakes.dialogs->prompts.size(), 1u);
    EXPECT_EQ(fakes.dialogs->prompts[0].text,
              "1 empty file(s) were kept: files inside the Windows folder, the Program Files folders and the "
              "Pellmaris folder are never deleted, because programs rely on empty marker files there.\r\n"
              "1 file(s) were kept: they are no longer empty.\r\n"
              "1 empty file(s) were kept: another program has them open.\r\n"
              "2 file(s) were kept: a folder or a link stands in their place now, or they are read-only, hidden or "
              "system files now.\r\n"
              "1 file(s) were no longer there: their rows left the list.");
}

TEST_F(Scanner, NeverEntersALinkNorDeletesThroughOne)
{
    const std::string outside = dir / "outside";
    make_dirs(outside + "\\deeper");
    write_bytes(outside + "\\sentinel", "");
    write_bytes(outside + "\\deeper\\sentinel", "");
    ASSERT_TRUE(testsupport::make_host_link(tree + "\\link", outside));
    const std::string victim = file("victim"), in_sub = file("sub\\sentinel");
    scan_tree();
    EXPECT_EQ(found(), (std::set<std::string>{victim, in_sub}));
    EXPECT_EQ(scanner().List2.items(), (std::vector<std::string>{tree + "\\", tree + "\\sub\\"}));

    // Between the scan and the deletion the empty file becomes a link to an empty file
    // outside, and its neighbour's folder a link to the outside folder.
    ASSERT_TRUE(DeleteFileA(victim.c_str()));
    ASSERT_TRUE(testsupport::make_host_link(victim, outside + "\\sentinel"));
    ASSERT_TRUE(MoveFileA((tree + "\\sub").c_str(), (dir / "moved").c_str()));
    ASSERT_TRUE(testsupport::make_host_link(tree + "\\sub", outside + "\\deeper"));
    click(scanner().Command2);
    click(scanner().Command1);

    EXPECT_TRUE(exists(outside + "\\sentinel"));
    EXPECT_TRUE(exists(outside + "\\deeper\\sentinel"));
    EXPECT_EQ(found(), (std::set<std::string>{victim, in_sub}));
    for (const std::string& link : {victim, tree + "\\sub", tree + "\\link"})
        testsupport::remove_host_link(link);
}

TEST_F(Scanner, AFolderPutInPlaceOfOneWalkedIsNotListedThrough)
{
    const std::string outside = dir / "outside";
    make_dirs(outside);
    write_bytes(outside + "\\sentinel", "");
    file("first", "x");   // a yield of the scan before it reaches the folder
    const std::string mine = file("sub\\mine", "x");
    bool swapped = false;
    app->sys.yield_hook = [&] {
        if (swapped || !scanner().scanning() || !app->search.is_loaded() ||
            app->search.Label1.Caption() != "SEARCHING FOR FILES IN FOLDERS PLEASE WAIT    ")
            return;
        swapped = MoveFileA((tree + "\\sub").c_str(), (dir / "moved").c_str()) &&
                  testsupport::make_host_link(tree + "\\sub", outside);
    };
    scan_tree();
    ASSERT_TRUE(swapped);
    EXPECT_TRUE(found().empty());
    testsupport::remove_host_link(tree + "\\sub");
}

TEST_F(Scanner, ANameThatReadsAsAPathIsNotListed)
{
    write_bytes(dir / "victim", "");   // where the name would lead
    const std::string host_name = testsupport::host_path(tree) + "/x\\..\\..\\victim";
    ASSERT_TRUE(testsupport::run_on_host({"/usr/bin/touch", host_name}));
    const std::string plain = file("plain");
    const auto listed = rt::list_dir(tree + "\\", rt::attrNormal);
    ASSERT_TRUE(std::any_of(listed.begin(), listed.end(), [](const rt::DirEntry& e) { return !rt::is_usable(e); }));
    scan_tree();
    EXPECT_EQ(found(), (std::set<std::string>{plain}));
    testsupport::run_on_host({"/bin/rm", "-f", host_name});
}

TEST_F(Scanner, KeepsEmptyFilesInsideTheProgramFolderAndSaysHowManyAndWhy)
{
    put("marker.dat", "");
    make_dirs(folder + "\\pellmarisgui");
    write_bytes(folder + "\\pellmarisgui\\empty.jpg", "");
    const std::string junk = file("junk.tmp");
    scan({dir.path() + "\\"});
    ASSERT_EQ(found(), (std::set<std::string>{folder + "\\marker.dat", folder + "\\pellmarisgui\\empty.jpg", junk}));

    click(scanner().Command2);   // Select All
    click(scanner().Command1);

    EXPECT_FALSE(exists(junk));
    EXPECT_TRUE(exists(folder + "\\marker.dat"));
    EXPECT_TRUE(exists(folder + "\\pellmarisgui\\empty.jpg"));
    EXPECT_EQ(found(), (std::set<std::string>{folder + "\\marker.dat", folder + "\\pellmarisgui\\empty.jpg"}));
    ASSERT_EQ(fakes.dialogs->prompts.size(), 1u);
    EXPECT_EQ(fakes.dialogs->prompts[0].text,
              "2 empty file(s) were kept: files inside the Windows folder, the Program Files folders and the "
              "Pellmaris folder are never deleted, because programs rely on empty marker files there.");
    EXPECT_EQ(fakes.dialogs->prompts[0].title, "Pellmaris");
}

// Through a drive letter mapped onto the Windows folder or Program Files, their empty files
// are theirs all the same.
TEST_F(Scanner, KeepsEmptyFilesOfProtectedFoldersReachedThroughAnotherDriveLetter)
{
    testsupport::AliasedFiles aliased;
    std::vector<std::string> roots;
    for (const testsupport::AliasedFolder& folder : testsupport::aliased_folders()) {
        if (folder.alias == "V:\\")
            continue;   // the profile is no folder of marker files
        const std::string below = aliased.make_folder(folder.alias);
        aliased.make(below, "");
        roots.push_back(below);
    }
    const std::string junk = file("junk.tmp");
    roots.push_back(tree + "\\");
    scan(roots);
    ASSERT_EQ(found().size(), 3u);
    click(scanner().Command2);   // Select All
    click(scanner().Command1);
    EXPECT_FALSE(exists(junk));
    aliased.expect_intact();
    EXPECT_EQ(found().size(), 2u);
}

TEST_F(Scanner, SelectAllAndDeselectAllReachEveryRow)
{
    file("a");
    file("b");
    file("c");
    scan_tree();
    click(scanner().Command2);
    pump_for(50);
    for (long i = 0; i < 3; ++i)
        EXPECT_TRUE(scanner().List1.Selected(i));
    EXPECT_EQ(scanner().List1.ListIndex(), 0);
    EXPECT_EQ(SendMessageA(scanner().List1.hWnd(), LB_GETSELCOUNT, 0, 0), 3);

    click(scanner().Command3);
    pump_for(50);
    for (long i = 0; i < 3; ++i)
        EXPECT_FALSE(scanner().List1.Selected(i));
    EXPECT_EQ(SendMessageA(scanner().List1.hWnd(), LB_GETSELCOUNT, 0, 0), 0);
}

TEST_F(Scanner, TheButtonsOnAnEmptyResultRaiseNoError)
{
    scan_tree();
    click(scanner().Command2);
    click(scanner().Command3);
    click(scanner().Command1);
    EXPECT_TRUE(fakes.dialogs->prompts.empty());
    EXPECT_EQ(scanner().Label1.Caption(), kFoundZero);
}

TEST_F(Scanner, TheStatusWindowsFollowTheScanAndCloseAtItsEnd)
{
    const std::string empty = file("sub\\empty.txt");
    std::set<std::string> strip, animation;
    bool strip_on_main_window_edge = false;
    app->sys.yield_hook = [&] {
        Sleep(260);   // slower than the status captions' quarter-second pace: each one shows
        if (app->labelscreen.is_loaded()) {
            strip.insert(app->labelscreen.Label1.Caption());
            strip.insert(app->labelscreen.Label2.Caption());
            strip_on_main_window_edge =
                app->labelscreen.Top() + app->labelscreen.Height() == app->Form1.Top() + app->Form1.Height() &&
                app->labelscreen.Left() == app->Form1.Left();
        }
        if (app->search.is_loaded())
            animation.insert(app->search.Label1.Caption());
    };
    scan_tree();

    const std::string root = tree + "\\";
    for (const std::string& caption : {"SEARCHING IN DRIVE [ " + root + " ] ", "Found Folder [ " + root + "sub ]",
                                       "LOOKING IN " + root + "sub\\", "Found File " + empty})
        EXPECT_TRUE(strip.count(caption)) << caption;
    EXPECT_TRUE(strip_on_main_window_edge);
    EXPECT_TRUE(animation.count("SEARCHING DRIVES FOR FOLDERS PLEASE WAIT"));
    EXPECT_TRUE(animation.count("SEARCHING FOR FILES IN FOLDERS PLEASE WAIT    "));
    EXPECT_FALSE(app->labelscreen.is_loaded());
    EXPECT_FALSE(app->search.is_loaded());
    EXPECT_TRUE(scanner().Visible());
    EXPECT_EQ(found(), (std::set<std::string>{empty}));
}

TEST_F(Scanner, AnswersWithinASecondWhileItWalksFoldersWithoutFiles)
{
    // 25,000 empty folders, made and removed on the host (through Wine that takes a minute):
    // 250 at the top, 99 in each of them.
    struct HostTree {
        std::string path;
        ~HostTree() { testsupport::run_on_host({"/bin/rm", "-rf", path}); }
    } host_tree{testsupport::host_path(tree)};
    ASSERT_TRUE(testsupport::run_on_host(
        {"/bin/sh", "-c",
         "cd \"$1\" && for t in $(seq 250); do for s in $(seq 99); do echo t$t/s$s; done; done | xargs mkdir -p",
         "sh", host_tree.path}));
    std::atomic<HWND> status_window{nullptr};
    app->sys.yield_hook = [&] {
        if (!status_window && app->search.is_loaded())
            status_window = app->search.hWnd();
    };
    open_on({tree + "\\"});
    const HWND window = scanner().hWnd();
    std::atomic<bool> done{false};
    // Closing the status windows at the scan's end waits for a window manager that Xvfb does
    // not run: the answers count up to the moment the first of them is hidden.
    std::atomic<ULONGLONG> status_hidden{0};
    std::thread watcher([&] {
        while (!done && !status_hidden) {
            const HWND status = status_window;
            if (status && !IsWindowVisible(status))
                status_hidden = GetTickCount64();
            Sleep(1);
        }
    });
    std::vector<std::pair<ULONGLONG, ULONGLONG>> asks;   // asked, answered
    std::thread asker([&] {
        while (!done) {
            const ULONGLONG asked = GetTickCount64();
            DWORD_PTR result = 0;
            SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &result);
            asks.emplace_back(asked, GetTickCount64());
            Sleep(100);
        }
    });
    const bool ended = pump_until([&] { return finished(); }, 110000);
    done = true;
    asker.join();
    watcher.join();
    ASSERT_TRUE(ended);
    ASSERT_NE(status_hidden, 0u);
    EXPECT_EQ(scanner().List2.ListCount(), 25001);

    int asked_before_the_end = 0;
    ULONGLONG longest = 0;
    for (const auto& [asked, answered] : asks) {
        if (asked >= status_hidden)
            continue;
        ++asked_before_the_end;
        longest = std::max(longest, std::min(answered, status_hidden.load()) - asked);
    }
    EXPECT_GT(asked_before_the_end, 20);
    EXPECT_LT(longest, 1000u);
}

TEST_F(Scanner, ClosingTheWindowDuringTheScanEndsItAndReopensNothing)
{
    for (int i = 0; i < 40; ++i)
        file("f" + std::to_string(i) + "\\empty");
    // The scan looks at its messages only every few milliseconds: the close reaches it at
    // one of the yields after it was posted, and that yield must be the scan's last.
    int yields = 0, yields_after_close_seen = 0;
    bool posted = false;
    app->sys.yield_hook = [&] {
        if (!scanner().scanning())
            return;   // the test's own pumping
        ++yields;
        if (scanner().unload_pending() || !scanner().is_loaded())
            ++yields_after_close_seen;
        if (yields == 25) {
            posted = true;
            PostMessageA(scanner().hWnd(), WM_CLOSE, 0, 0);
        }
    };
    open_on({tree + "\\"});
    ASSERT_TRUE(pump_until([&] { return !scanner().is_loaded(); }));
    pump_for(300);

    EXPECT_TRUE(posted);
    EXPECT_LE(yields_after_close_seen, 1);
    EXPECT_FALSE(scanner().is_loaded());
    EXPECT_FALSE(app->search.is_loaded());
    EXPECT_FALSE(app->labelscreen.is_loaded());
    EXPECT_TRUE(fakes.dialogs->prompts.empty());
}

TEST_F(Scanner, AMissingClipLeavesTheAnimationOutAndTheScanGoesOn)
{
    remove("SEARCH.AVI");
    const std::string empty = file("empty");
    scan_tree();
    EXPECT_EQ(found(), (std::set<std::string>{empty}));
    EXPECT_TRUE(fakes.dialogs->prompts.empty());
}

TEST_F(Scanner, TheAnimationControlOpensTheShippedClip)
{
    EXPECT_TRUE(app->search.Animation1.Open(testsupport::stage_folder() + "\\SEARCH.AVI"));
    EXPECT_FALSE(app->search.Animation1.Open(dir / "missing.avi"));
    write_bytes(dir / "broken.avi", "RIFF....AVI nothing else");
    EXPECT_FALSE(app->search.Animation1.Open(dir / "broken.avi"));
}

TEST_F(Scanner, OpeningAgainAfterAScanScansAnewWhileOpeningDuringOneKeepsIt)
{
    const std::string first = file("first");
    bool reopened = false;
    app->sys.yield_hook = [&] {
        if (!reopened && scanner().scanning()) {
            reopened = true;
            scanner().open_scanner();   // while it scans: only comes to the front
        }
    };
    scan_tree();
    ASSERT_TRUE(reopened);
    EXPECT_EQ(found(), (std::set<std::string>{first}));
    app->sys.yield_hook = nullptr;

    const std::string second = file("second");
    scan_tree();
    EXPECT_EQ(found(), (std::set<std::string>{first, second}));
}

TEST_F(Scanner, TheDriveListHoldsTheDrivesThatCanBeSelectedAndKeepsTheCurrentFolder)
{
    char before[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, before);
    scanner().Load();
    const std::vector<std::string> drives = scanner().List3.items();
    char after[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, after);
    scanner().Unload();   // before its timers could start a walk of the build tree

    EXPECT_NE(std::find(drives.begin(), drives.end(), "P:\\"), drives.end());
    EXPECT_NE(std::find(drives.begin(), drives.end(), "S:\\"), drives.end());
    const DWORD present = GetLogicalDrives();
    for (const std::string& drive : drives)
        EXPECT_TRUE(present & (1u << (drive[0] - 'A'))) << drive;
    EXPECT_TRUE(std::is_sorted(drives.begin(), drives.end()));
    EXPECT_STREQ(before, after);
}

} // namespace
