// Reading the search listing while the batch appends to it.
#include <windows.h>
#include <gtest/gtest.h>
#include "support/scratch.h"
#include "tools/search_files.h"

using namespace pellmaris;
using testsupport::read_bytes;
using testsupport::write_bytes;

namespace {

using Lines = std::vector<std::string>;

class SearchListing : public testing::Test {
protected:
    testsupport::ScratchDir dir;
    std::string path = dir / "PMsearch.txt";
    SearchListingReader reader;

    void append(const std::string& text) { write_bytes(path, read_bytes(path) + text); }
};

TEST_F(SearchListing, EachReadGivesTheLinesCompletedSinceTheLastOne)
{
    EXPECT_FALSE(reader.read_new_lines(path).has_value());   // no listing yet
    write_bytes(path, "");
    EXPECT_EQ(reader.read_new_lines(path), Lines{});
    append("C:\\a\r\nC:\\a\\FINI");
    EXPECT_EQ(reader.read_new_lines(path), Lines{"C:\\a"});
    EXPECT_EQ(reader.unfinished_line(), "C:\\a\\FINI");
    append("SHED\r\nFINISH");
    EXPECT_EQ(reader.read_new_lines(path), Lines{"C:\\a\\FINISHED"});   // one line, not an end
    EXPECT_FALSE(is_end_marker(reader.unfinished_line()));
    append("ED \r\n");
    const auto last = reader.read_new_lines(path);
    ASSERT_EQ(last, Lines{"FINISHED "});
    EXPECT_TRUE(is_end_marker(last->front()));
    EXPECT_EQ(reader.unfinished_line(), "");
    EXPECT_EQ(reader.read_new_lines(path), Lines{});
}

TEST_F(SearchListing, AnEmptiedListingIsReadFromItsStart)
{
    write_bytes(path, "C:\\one\r\nC:\\two\r\n");
    EXPECT_EQ(reader.read_new_lines(path)->size(), 2u);
    write_bytes(path, "D:\\\r\n");
    EXPECT_EQ(reader.read_new_lines(path), Lines{"D:\\"});
    reader.restart();
    EXPECT_EQ(reader.read_new_lines(path), Lines{"D:\\"});
}

TEST_F(SearchListing, AWriterHoldingTheListingOpenIsNotInTheWay)
{
    write_bytes(path, "C:\\a\r\n");
    // As the command interpreter holds it while it appends.
    HANDLE writer = CreateFileA(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(writer, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(writer, "C:\\b\r\n", 6, &written, nullptr);
    EXPECT_EQ(reader.read_new_lines(path), (Lines{"C:\\a", "C:\\b"}));
    CloseHandle(writer);
}

} // namespace
