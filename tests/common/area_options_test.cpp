#include "common/area_options.h"
#include <gtest/gtest.h>
#include "format_test_support.h"
#include "support/scratch.h"

using namespace pellmaris;
using testsupport::read_bytes;
using testsupport::write_bytes;

namespace {

std::string flags_text(const std::string& digits)
{
    std::string out;
    for (char d : digits)
        out += std::string(" ") + d + " ";
    return out;
}

std::vector<bool> rows(const std::string& digits)
{
    std::vector<bool> out;
    for (char d : digits)
        out.push_back(d == '1');
    return out;
}

} // namespace

TEST(AreaOptionsFile, WritesTheLayoutByteForByteWithoutAFinalLineEnd)
{
    testsupport::ScratchDir dir;
    write_area_options(dir / "pmdb.lst", rows("110000000111"), {true, false, false, false});
    std::string expected = "[LIST1]\r\n" + flags_text("110000000111") + "\r\n[LIST2]\r\n" + flags_text("1000");
    EXPECT_EQ(read_bytes(dir / "pmdb.lst"), expected);
    EXPECT_EQ(flags_text("110000000111").size(), 36u);

    write_area_options(dir / "pmdb.lst", rows("0000000000001"), {false, true, true, true});
    EXPECT_EQ(read_bytes(dir / "pmdb.lst"),
              "[LIST1]\r\n" + flags_text("0000000000001") + "\r\n[LIST2]\r\n" + flags_text("0111"));
}

TEST(AreaOptionsFile, RefusesARowCountOtherThanTwelveOrThirteen)
{
    testsupport::ScratchDir dir;
    EXPECT_EQ(error_of([&] { write_area_options(dir / "pmdb.lst", rows("11111111111"), {}); }),
              rt::errInvalidCall);
    EXPECT_EQ(error_of([&] { write_area_options(dir / "pmdb.lst", rows("11111111111111"), {}); }),
              rt::errInvalidCall);
    EXPECT_TRUE(formattest::folder_entries(dir.path()).empty());
}

TEST(AreaOptionsFile, ReadsTheFlagsItWrote)
{
    testsupport::ScratchDir dir;
    write_area_options(dir / "pmdb.lst", rows("1010000001001"), {false, true, false, true});
    AreaFlags flags = read_area_flags(dir / "pmdb.lst");
    EXPECT_EQ(flags.areas, (std::vector<std::string>{"1", "0", "1", "0", "0", "0", "0", "0", "0", "1", "0", "0", "1"}));
    EXPECT_EQ(flags.options, (std::vector<std::string>{"0", "1", "0", "1"}));
    EXPECT_TRUE(flags.area(kRowGamerFiles));
    EXPECT_FALSE(flags.area(kRowTempGameCache));
    EXPECT_TRUE(flags.area(kRowUserOwnLocations));
    EXPECT_FALSE(flags.area(14));
    EXPECT_FALSE(flags.area(0));
    EXPECT_TRUE(flags.option(kOptionForceHidden));
    EXPECT_FALSE(flags.option(kOptionForceReadOnly));

    AreaFlags shipped = read_area_flags(testsupport::stage_folder() + "\\pmdb.lst");
    EXPECT_EQ(shipped.areas.size(), 12u);
    EXPECT_EQ(shipped.options.size(), 4u);
}

TEST(AreaOptionsFile, ReadingIsLenientAboutLayoutAndNeverThrows)
{
    testsupport::ScratchDir dir;
    EXPECT_TRUE(read_area_flags(dir / "missing.lst").areas.empty());
    EXPECT_TRUE(read_area_flags(dir / "missing.lst").options.empty());

    // Later markers win; an unknown marker ends a list; commas and LF separate too.
    write_bytes(dir / "two.lst", "[LIST1]\n1,1,1\n[LIST2]\n1 1\n[list1]\n 0  1 \n[OTHER]\n 1 \n[LIST2]\n0,0,1,1");
    AreaFlags flags = read_area_flags(dir / "two.lst");
    EXPECT_EQ(flags.areas, (std::vector<std::string>{"0", "1"}));
    EXPECT_EQ(flags.options, (std::vector<std::string>{"0", "0", "1", "1"}));

    write_bytes(dir / "nomarker.lst", " 1  1  1 \r\n");
    EXPECT_TRUE(read_area_flags(dir / "nomarker.lst").areas.empty());
}
