// The search batch run for real by the command interpreter of the test prefix, over the
// scratch drive S: only (the prefix maps no drive to the host's root).
#include "search_fixture.h"
#include "runtime/filesys.h"
#include "runtime/services.h"
#include "runtime/unicode.h"
#include "tools/search_files.h"

using namespace pellmaris;
using testsupport::make_dirs;
using testsupport::read_bytes;
using testsupport::write_bytes;

namespace {

constexpr int kSearchMs = 90000;

// The real process starter, but the first held start runs another command instead.
struct FirstStartRunsInstead : rt::ProcessStarter {
    std::unique_ptr<rt::ProcessStarter> real = rt::make_real_processes();
    std::string first_command;
    int held_starts = 0;
    void start(const std::string& command_line, int window_style, const std::string& folder) override
    {
        real->start(command_line, window_style, folder);
    }
    std::optional<unsigned long> run(const std::string& command_line, int window_style, unsigned long ms,
                                     const std::function<void()>& while_waiting) override
    {
        return real->run(command_line, window_style, ms, while_waiting);
    }
    std::unique_ptr<rt::StartedProcess> start_held(const std::string& command_line, int window_style,
                                                   const std::string& folder) override
    {
        const bool first = held_starts++ == 0 && !first_command.empty();
        return first ? real->start_held(first_command, window_style, "")
                     : real->start_held(command_line, window_style, folder);
    }
};

std::vector<std::string> lines_of(const std::string& text)
{
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(text.substr(start, end - start));
    return lines;
}

bool has_line(const std::vector<std::string>& lines, const std::string& line)
{
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

class SearchBatchRun : public searchtest::SearchTest {
protected:
    FirstStartRunsInstead* starter = nullptr;

    void SetUp() override
    {
        SearchTest::SetUp();
        use_real_processes();
    }

    void use_real_processes()
    {
        auto real = std::make_unique<FirstStartRunsInstead>();
        starter = real.get();
        app->sys.processes = std::move(real);
        fakes.processes = nullptr;
    }

    // Folders beside the program's own files, which the listing of S: must hold.
    std::vector<std::string> make_sentinel_tree()
    {
        const std::vector<std::string> tree = {dir / "tree", dir / "tree\\one", dir / "tree\\one\\two",
                                               dir / "tree\\b c & (d)"};
        for (const auto& folder : tree)
            make_dirs(folder);
        return tree;
    }

    void search_scratch_drive()
    {
        form().Show();
        click_row(form().List1, 0);
        click_row(form().List2, row_of(form().List2, "S:\\"));
        ASSERT_TRUE(click(form().Command7));
        ASSERT_EQ(form().search_state, 2) << (fakes.dialogs->prompts.empty() ? "" : fakes.dialogs->prompts[0].text);
    }

    void wait_for_the_end()
    {
        ASSERT_TRUE(wait_until_finished(kSearchMs));
    }

    // The listing ends with the batch's own end line, its only one.
    void expect_one_end_at_the_end(const std::vector<std::string>& lines)
    {
        ASSERT_FALSE(lines.empty());
        EXPECT_EQ(lines.back(), "FINISHED ");
        EXPECT_EQ(std::count_if(lines.begin(), lines.end(), is_end_marker), 1);
    }
};

TEST_F(SearchBatchRun, ListsEveryFolderOfTheChosenDriveAndEndsAtFinished)
{
    const auto tree = make_sentinel_tree();
    search_scratch_drive();
    wait_for_the_end();
    const auto lines = lines_of(read_bytes(file(kSearchResultsFile)));
    for (const auto& folder : tree)
        EXPECT_TRUE(has_line(lines, folder)) << folder;
    expect_one_end_at_the_end(lines);
    for (const auto& line : lines)
        EXPECT_TRUE(line.rfind("S:\\", 0) == 0 || is_end_marker(line)) << line;
    EXPECT_TRUE(form().Label6.Visible());
}

// Nothing of the folder's name reaches the command interpreter, which would expand "%windir%"
// (and "!x!") and read "&", "^" and ")".
TEST_F(SearchBatchRun, AProgramFolderWithBlanksSymbolsPercentAndAccentsIsWrittenSoTheBatchFindsIt)
{
    const std::string odd = dir / "p%windir%q &^!x!() caf\xC3\xA9 100%";
    ASSERT_TRUE(CreateDirectoryW(rt::utf16(odd).c_str(), nullptr));
    start_in(odd);
    use_real_processes();
    const auto tree = make_sentinel_tree();
    search_scratch_drive();
    wait_for_the_end();
    const std::string listing = read_bytes(file(kSearchResultsFile));
    const auto lines = lines_of(listing);
    expect_one_end_at_the_end(lines);
    EXPECT_TRUE(has_line(lines, tree[2]));
}

TEST_F(SearchBatchRun, AnAbortedBatchIsEndedSoANewSearchEndsAtItsOwnFinishedOnly)
{
    // The first search's batch lists "folders" for ever, never ending by itself.
    const std::string listing = file(kSearchResultsFile);
    write_bytes(dir / "endless.bat", "@echo off\r\n:again\r\necho S:\\old>> \"" + listing + "\"\r\ngoto again\r\n");
    starter->first_command = "\"" + dir / "endless.bat" + "\"";
    const auto tree = make_sentinel_tree();
    search_scratch_drive();
    ASSERT_TRUE(pump_until([&] { return read_bytes(listing).size() > 100; }, kSearchMs));
    EXPECT_EQ(form().search_state, 2);

    fakes.dialogs->answers = {rt::vbYes};
    ASSERT_TRUE(click(form().Command8));
    ASSERT_TRUE(click(form().Command7));   // at once: the same rows are still selected
    ASSERT_EQ(form().search_state, 2);
    wait_for_the_end();
    pump_for(500);   // an old batch still running would go on appending

    const auto lines = lines_of(read_bytes(listing));
    EXPECT_FALSE(has_line(lines, "S:\\old"));
    expect_one_end_at_the_end(lines);
    EXPECT_TRUE(has_line(lines, tree[1]));
}

TEST_F(SearchBatchRun, ASearchAfterAFinishedOneEmptiesTheListingAndEndsAtItsOwnFinished)
{
    search_scratch_drive();
    wait_for_the_end();
    const auto first = lines_of(read_bytes(file(kSearchResultsFile)));
    expect_one_end_at_the_end(first);

    const auto tree = make_sentinel_tree();   // folders the first listing cannot hold
    fakes.dialogs->answers = {rt::vbYes};
    ASSERT_TRUE(click(form().Command8));
    ASSERT_TRUE(click(form().Command7));
    wait_for_the_end();
    const auto second = lines_of(read_bytes(file(kSearchResultsFile)));
    expect_one_end_at_the_end(second);
    EXPECT_TRUE(has_line(second, tree[3]));
}

} // namespace
