// The breadth-first folder walk on real folders under Wine.
#include <gtest/gtest.h>
#include <set>
#include "clean_fixture.h"
#include "common/paths.h"
#include "engine/folder_walk.h"

using namespace pellmaris;
using cleantest::attributes;
using cleantest::set_attributes;

namespace {

class FolderWalk : public ::testing::Test {
protected:
    testsupport::ScratchDir dir;
    std::string root = dir.path() + "\\root\\";

    FolderWalk() { testsupport::make_dirs(root); }

    std::string folder(const std::string& relative)
    {
        testsupport::make_dirs(root + relative);
        return root + relative + "\\";
    }

    std::vector<std::string> walk(bool deep, bool exact = false)
    {
        FolderList list;
        FolderWalkOptions options;
        options.deep = deep;
        options.exact_attribute_passes = exact;
        last = walk_folders(list, root, options);
        return list.folders();
    }

    std::string last;
};

std::set<std::string> as_set(const std::vector<std::string>& v, std::size_t from, std::size_t to)
{
    return {v.begin() + static_cast<long>(from), v.begin() + static_cast<long>(to)};
}

} // namespace

TEST_F(FolderWalk, RootWithoutSubFoldersIsTheWholeList)
{
    testsupport::write_bytes(root + "file.txt", "x");
    EXPECT_EQ(walk(false), std::vector<std::string>{root});
    EXPECT_EQ(last, root);
}

TEST_F(FolderWalk, ListsBreadthFirstWithParentsBeforeChildren)
{
    const std::string p = folder("P"), q = folder("Q"), s = folder("P\\S"), t = folder("Q\\T");
    const std::string u = folder("P\\S\\U");
    auto list = walk(false);
    ASSERT_EQ(list.size(), 6u);
    EXPECT_EQ(list[0], root);
    EXPECT_EQ(as_set(list, 1, 3), (std::set<std::string>{p, q}));
    // The grandchildren follow in the order of their parents.
    EXPECT_EQ(list[3], list[1] == p ? s : t);
    EXPECT_EQ(list[4], list[1] == p ? t : s);
    EXPECT_EQ(list[5], u);
    EXPECT_EQ(last, u);
}

TEST_F(FolderWalk, PlainTreeIsTheSameWithAndWithoutDeepPasses)
{
    folder("A\\B");
    folder("C");
    EXPECT_EQ(walk(true), walk(false));
}

TEST_F(FolderWalk, HiddenAndSystemFoldersOnlyWithDeepPasses)
{
    const std::string hidden = folder("hidden"), below = folder("hidden\\below"), plain = folder("plain");
    const std::string system = folder("system");
    set_attributes(root + "hidden", FILE_ATTRIBUTE_HIDDEN);
    set_attributes(root + "system", FILE_ATTRIBUTE_SYSTEM);
    EXPECT_EQ(walk(false), (std::vector<std::string>{root, plain}));
    auto deep = walk(true);
    EXPECT_EQ(as_set(deep, 0, deep.size()), (std::set<std::string>{root, plain, hidden, below, system}));
    EXPECT_EQ(deep.size(), 5u);
    EXPECT_EQ(deep[1], plain);   // the plain pass comes first
}

TEST_F(FolderWalk, HiddenSystemFolderIsListedOnce)
{
    const std::string both = folder("both");
    set_attributes(root + "both", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    EXPECT_EQ(walk(true), (std::vector<std::string>{root, both}));
}

TEST(FolderWalkPass, KeepsFoldersWithinTheMaskAndNeverLinks)
{
    EXPECT_TRUE(walk_pass_keeps(16, 16, false));
    EXPECT_TRUE(walk_pass_keeps(48, 16, false));           // the archive bit never matters
    EXPECT_FALSE(walk_pass_keeps(32, 16, false));          // a file
    EXPECT_FALSE(walk_pass_keeps(18, 16, false));          // hidden: only from mask 18 on
    EXPECT_TRUE(walk_pass_keeps(18, 19, false));
    EXPECT_FALSE(walk_pass_keeps(20, 19, false));          // system is outside 19
    EXPECT_FALSE(walk_pass_keeps(16 | 1024, 23, false));   // a link
}

TEST(FolderWalkPass, ExactPassesKeepOnlyFoldersWhoseAttributesEqualTheMask)
{
    EXPECT_TRUE(walk_pass_keeps(18, 18, true));
    EXPECT_FALSE(walk_pass_keeps(18 | 32, 18, true));   // hidden and archive: not walked by the scanner
    EXPECT_FALSE(walk_pass_keeps(16, 18, true));
    EXPECT_TRUE(walk_pass_keeps(16 | 32, 16, false));   // the plain pass keeps its directory test
}

TEST_F(FolderWalk, NeverListsOrEntersALink)
{
    const std::string outside = dir / "outside";
    testsupport::make_dirs(outside + "\\inner");
    const std::string plain = folder("plain");
    cleantest::make_host_link(root + "link", outside);
    EXPECT_EQ(walk(true), (std::vector<std::string>{root, plain}));

    // A root that is itself a link is not entered either.
    FolderList list;
    EXPECT_EQ(walk_folders(list, root + "link\\", {}), root + "link\\");
    EXPECT_EQ(list.folders(), std::vector<std::string>{root + "link\\"});
}

TEST_F(FolderWalk, AnUnlistableRootIsReportedOncePerPassAndTheWalkGoesOn)
{
    FolderList list;
    FolderWalkOptions options;
    std::vector<int> errors;
    options.on_error = [&](const rt::RuntimeError& e) { errors.push_back(e.number()); };
    const std::string bad = dir.path() + "\\" + std::string(33000, 'x') + "\\";   // longer than the system allows
    EXPECT_EQ(walk_folders(list, bad, options), bad);
    EXPECT_EQ(errors.size(), 1u);
    options.deep = true;
    errors.clear();
    walk_folders(list, bad, options);
    EXPECT_EQ(errors.size(), 8u);
}

TEST_F(FolderWalk, AppendsToAListThatAlreadyHoldsEarlierWalks)
{
    const std::string a = folder("A");
    const std::string other = dir / "other\\";
    testsupport::make_dirs(other + "B");
    FolderList list;
    std::vector<std::string> added;
    FolderWalkOptions options;
    options.on_folder_added = [&](const std::string& parent, const std::string& name) { added.push_back(parent + name); };
    walk_folders(list, root, options);
    walk_folders(list, other, options);
    EXPECT_EQ(list.folders(), (std::vector<std::string>{root, a, other, other + "B\\"}));
    EXPECT_EQ(added, (std::vector<std::string>{root + "A", other + "B"}));
}

TEST(FolderListStore, KeepsEveryFolderOnceInOrderBeyondSixteenBits)
{
    FolderList list;
    for (int i = 0; i < 40000; ++i)
        EXPECT_TRUE(list.add("C:\\f" + std::to_string(i) + "\\")) << i;
    EXPECT_FALSE(list.add("C:\\f39999\\"));
    EXPECT_FALSE(list.add("C:\\f0\\"));
    EXPECT_TRUE(list.add("c:\\f0\\"));   // the comparison is exact
    ASSERT_EQ(list.size(), 40001u);
    EXPECT_EQ(list[32767], "C:\\f32767\\");
}

// The main window's walk: Form4.List4, the moved walk root and its error-log line.
class MainWindowWalk : public cleantest::CleanTest {};

TEST_F(MainWindowWalk, FillsTheSubFolderListAndLogsUnlistableFolders)
{
    start_with_locations({});
    const std::string root = dir / "walk\\";
    testsupport::make_dirs(root + "A\\B");
    form().walk_root = root;
    form().deep_scan = 0;
    form().clean.rule = pellmaris::CleanRule(program);
    form().deep_folders();
    EXPECT_EQ(app->Form4.List4.items(), (std::vector<std::string>{root, root + "A\\", root + "A\\B\\"}));
    EXPECT_EQ(form().walk_root, root + "A\\B\\");

    // A second walk replaces the list.
    const std::string too_long = dir / (std::string(33000, 'x') + "\\");
    form().walk_root = too_long;
    form().deep_folders();
    EXPECT_EQ(app->Form4.List4.items(), std::vector<std::string>{too_long});
    const std::string log = testsupport::read_bytes(in_program("PMerror.log"));
    EXPECT_NE(log.find("\r\nError in procedure form7 code [deep_folders]\r\nError number = "), std::string::npos) << log;
}
