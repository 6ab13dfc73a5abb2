#include "common/user_locations.h"
#include <gtest/gtest.h>
#include "format_test_support.h"
#include "support/scratch.h"

using namespace pellmaris;
using formattest::crlf_lines;
using testsupport::read_bytes;
using testsupport::write_bytes;

TEST(UserLocationsFile, ReadersRuleOnTheFirstCharacter)
{
    struct Case {
        std::string line;
        bool folder;
        std::string path;
    };
    const Case cases[] = {
        {"D E:\\Games\\Temp\\", true, "E:\\Games\\Temp\\"},
        {"d C:\\x\\", true, "C:\\x\\"},
        {"F D:\\x.txt", false, "D:\\x.txt"},
        {"X D:\\y.txt", false, "D:\\y.txt"},
        {"D  padded \\ ", true, " padded \\ "},   // nothing trimmed
        {"DE:\\", true, ":\\"},                   // the second character is skipped whatever it is
        {"D", true, ""},
        {"", false, ""},
    };
    for (const auto& c : cases) {
        UserLocation parsed = parse_user_location(c.line);
        EXPECT_EQ(parsed.is_folder, c.folder) << c.line;
        EXPECT_EQ(parsed.path, c.path) << c.line;
    }
    EXPECT_EQ(format_user_location({true, "E:\\\\"}), "D E:\\\\");
    EXPECT_EQ(format_user_location({false, "D:\\x.txt"}), "F D:\\x.txt");
}

TEST(UserLocationsFile, WritesAndAppendsLinesInOrder)
{
    testsupport::ScratchDir dir;
    std::string file = dir / "PMuser.lst";
    append_user_location(file, {true, "E:\\Games\\Temp\\"});
    append_user_location(file, {false, "D:\\x.txt"});
    EXPECT_EQ(read_bytes(file), crlf_lines({"D E:\\Games\\Temp\\", "F D:\\x.txt"}));

    write_user_locations(file, {{false, "C:\\a.log"}, {true, "E:\\\\"}});
    EXPECT_EQ(read_bytes(file), crlf_lines({"F C:\\a.log", "D E:\\\\"}));
    auto read = read_user_locations(file);
    ASSERT_EQ(read.size(), 2u);
    EXPECT_FALSE(read[0].is_folder);
    EXPECT_EQ(read[1].path, "E:\\\\");

    write_user_locations(file, {});
    EXPECT_EQ(read_bytes(file), "");
}

TEST(UserLocationsFile, AppendingAfterALastLineWithoutEndStartsANewLine)
{
    testsupport::ScratchDir dir;
    std::string file = dir / "PMuser.lst";
    write_bytes(file, "D C:\\one\\\nF C:\\two.txt");
    append_user_location(file, {true, "C:\\three\\"});
    EXPECT_EQ(read_user_location_lines(file),
              (std::vector<std::string>{"D C:\\one\\", "F C:\\two.txt", "D C:\\three\\"}));
    EXPECT_EQ(read_bytes(file), crlf_lines({"D C:\\one\\", "F C:\\two.txt", "D C:\\three\\"}));
}

TEST(UserLocationsFile, MissingFileAndBadPaths)
{
    testsupport::ScratchDir dir;
    EXPECT_TRUE(read_user_location_lines(dir / "PMuser.lst").empty());
    EXPECT_TRUE(read_user_locations(dir / "PMuser.lst").empty());

    write_bytes(dir / "PMuser.lst", "D C:\\keep\\\r\n");
    EXPECT_EQ(error_of([&] { append_user_location(dir / "PMuser.lst", {false, "C:\\a\r\nD C:\\"}); }),
              rt::errInvalidCall);
    EXPECT_EQ(read_bytes(dir / "PMuser.lst"), "D C:\\keep\\\r\n");
}
