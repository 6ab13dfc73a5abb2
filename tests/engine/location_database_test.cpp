#include <gtest/gtest.h>
#include <algorithm>
#include <set>
#include "engine/location_database.h"
#include "runtime/errors.h"
#include "runtime/text.h"
#include "support/scratch.h"

using namespace pellmaris;
using testsupport::ScratchDir;

namespace {

const char* const kHeader = "Pellmaris location database\r\nFormat version 1\r\n";

// The decoded lines of a database whose key line is "Database key:" & key.
std::vector<std::string> decode(const ScratchDir& dir, const std::string& key, const std::string& body)
{
    const std::string path = dir / "PMlist.lst";
    testsupport::write_bytes(path, kHeader + std::string("Database key:") + key + "\r\n" + body);
    return decode_location_database(path);
}

using Lines = std::vector<std::string>;

} // namespace

// The key "AB" adds 1 to every number (slot 2 - slot 1), so 66 is "C".
TEST(LocationDatabaseDecoding, FieldKindsMakeTheRecordText)
{
    ScratchDir dir;
    EXPECT_EQ(decode(dir, "AB", "U,91,66,'\r\nH,,91,'\r\nu,#,a b,91,'\r\n"),
              (Lines{"U \\C", "H \\", "\\"}));
}

TEST(LocationDatabaseDecoding, RecordsMaySpanLinesAndALoneApostropheGivesAnEmptyLine)
{
    ScratchDir dir;
    EXPECT_EQ(decode(dir, "AB", "90,65\r\n,66,'\r\n'\r\n66,'\r\n"), (Lines{"[BC", "", "C"}));
}

TEST(LocationDatabaseDecoding, KeySlotsBeyondAShortKeyCountAsZero)
{
    ScratchDir dir;
    // "ABC": -65 + 66 - 67 + 0 = -66, so 186 is "x".
    EXPECT_EQ(decode(dir, "ABC", "186,'\r\n"), Lines{"x"});
    // No key at all: the numbers are the character codes.
    EXPECT_EQ(decode(dir, "", "120,'\r\n"), Lines{"x"});
}

TEST(LocationDatabaseDecoding, KeyOfTwentyCharactersAndLongerKeysUseTheirFirstTwenty)
{
    ScratchDir dir;
    // Slots 1 to 10 of "ABCDEFGHIJ...": five pairs, each adding 1.
    EXPECT_EQ(decode(dir, "ABCDEFGHIJKLMNOPQRST", "115,'\r\n"), Lines{"x"});
    EXPECT_EQ(decode(dir, "ABCDEFGHIJKLMNOPQRSTUVWXYZ", "115,'\r\n"), Lines{"x"});

    LocationKey key = key_from_line("Database key:ABCDEFGHIJKLMNOPQRSTUVWXYZ");
    EXPECT_EQ(key.slot[0], 0);
    EXPECT_EQ(key.slot[1], 'A');
    EXPECT_EQ(key.slot[20], 'T');
}

TEST(LocationDatabaseDecoding, NumbersAreRoundedHalfToEven)
{
    LocationKey key = key_from_line("Database key:");
    EXPECT_EQ(decode_number("65.5", key), std::optional<char>('B'));
    EXPECT_EQ(decode_number("66.5", key), std::optional<char>('B'));
    EXPECT_EQ(decode_number("255", key), std::optional<char>('\xff'));
    EXPECT_EQ(decode_number("256", key), std::nullopt);
    EXPECT_EQ(decode_number("-1", key), std::nullopt);
    EXPECT_EQ(decode_number("12x", key), std::nullopt);
}

TEST(LocationDatabaseDecoding, EndOfFileInsideARecordKeepsTheEarlierRecords)
{
    ScratchDir dir;
    EXPECT_EQ(decode(dir, "AB", "66,'\r\n66,66,"), Lines{"C"});
    EXPECT_EQ(decode(dir, "AB", "66,'\r\n66,66"), Lines{"C"});
}

TEST(LocationDatabaseDecoding, CodeOutsideTheCharacterRangeStopsTheDecoding)
{
    ScratchDir dir;
    EXPECT_EQ(decode(dir, "AB", "66,'\r\n66,300,66,'\r\n66,'\r\n"), Lines{"C"});
    // "BA" takes 1 away, so 0 gives -1.
    EXPECT_EQ(decode(dir, "BA", "68,'\r\n0,'\r\n68,'\r\n"), Lines{"C"});
}

TEST(LocationDatabaseDecoding, MissingOrHeaderlessFileRaises)
{
    ScratchDir dir;
    EXPECT_THROW(decode_location_database(dir / "absent.lst"), rt::RuntimeError);
    testsupport::write_bytes(dir / "short.lst", kHeader);
    EXPECT_THROW(decode_location_database(dir / "short.lst"), rt::RuntimeError);
}

TEST(LocationDatabaseSections, EntriesRunFromTheHeaderToTheFirstEmptyLine)
{
    const Lines lines{"[GAMER]", " U \\a\\ ", "H \\b\\", "  ", "[temp] ", "U \\t\\"};
    Section gamer = find_section(lines, kSectionGamer);
    EXPECT_TRUE(gamer.found);
    EXPECT_EQ(gamer.entries, (Lines{"U \\a\\", "H \\b\\"}));
    EXPECT_EQ(gamer.counted_lines, 4);

    // Matched after trimming and upper-casing; the end of the list ends the section.
    Section temp = find_section(lines, kSectionTemp);
    EXPECT_EQ(temp.entries, Lines{"U \\t\\"});
    EXPECT_EQ(temp.counted_lines, 2);

    Section logs = find_section(lines, kSectionLogs);
    EXPECT_FALSE(logs.found);
    EXPECT_TRUE(logs.entries.empty());
    EXPECT_EQ(logs.counted_lines, 0);
}

TEST(LocationDatabaseSections, EmptyLineRightAfterTheHeaderGivesNoEntries)
{
    Section s = find_section(Lines{"[COOKIES]", "", "U \\x\\"}, kSectionCookies);
    EXPECT_TRUE(s.found);
    EXPECT_TRUE(s.entries.empty());
    EXPECT_EQ(s.counted_lines, 2);
}

TEST(LocationExpansion, PrefixIsTheLetterFollowedByABlank)
{
    const std::string profile = "C:\\Users\\ann", home = "D:";
    EXPECT_EQ(expand_location("U \\AppData\\Local\\Temp\\", profile, home), "C:\\Users\\ann\\AppData\\Local\\Temp\\");
    EXPECT_EQ(expand_location("  H \\Windows\\Temp\\ ", profile, home), "D:\\Windows\\Temp\\");
    EXPECT_EQ(expand_location("u \\x\\", profile, home), "C:\\Users\\ann\\x\\");
    // Absolute paths on drives U: and H: stand as they are.
    EXPECT_EQ(expand_location("H:\\Data\\", profile, home), "H:\\Data\\");
    EXPECT_EQ(expand_location("U:\\cache\\", profile, home), "U:\\cache\\");
    EXPECT_EQ(expand_location("E:\\junk\\", profile, home), "E:\\junk\\");
}

TEST(LocationExpansion, PathsThatAreNotFullyQualifiedAreNoLocation)
{
    EXPECT_EQ(expand_location("U \\AppData\\", "", "C:"), "");
    EXPECT_EQ(expand_location("H \\Windows\\Temp\\", "C:\\Users\\ann", ""), "");
    EXPECT_EQ(expand_location("Temp\\", "C:\\Users\\ann", "C:"), "");
    EXPECT_EQ(expand_location("\\Temp\\", "C:\\Users\\ann", "C:"), "");
    EXPECT_EQ(expand_location("H \\x\\", "", "relative"), "");
    EXPECT_EQ(expand_location("", "C:\\Users\\ann", "C:"), "");
}

TEST(ShippedLocationDatabase, DecodesEveryRecord)
{
    const std::string path = testsupport::stage_folder() + "\\PMlist.lst";
    const std::string bytes = testsupport::read_bytes(path);
    // One record per line after the three header lines.
    const auto records = std::count(bytes.begin(), bytes.end(), '\n') - 3;
    const Lines lines = decode_location_database(path);
    ASSERT_GT(records, 20);
    EXPECT_EQ(static_cast<long>(lines.size()), records);
}

TEST(ShippedLocationDatabase, FollowsTheGrammar)
{
    const Lines lines = decode_location_database(testsupport::stage_folder() + "\\PMlist.lst");
    const std::set<std::string> tags{kSectionGamer, kSectionInternet, kSectionCookies, kSectionTemp, kSectionLogs};

    // Every non-empty line is a header or belongs to the section above it.
    std::multiset<std::string> headers;
    bool inside = false;
    for (const std::string& line : lines) {
        if (rt::Trim(line).empty()) {
            inside = false;
        } else if (tags.count(line)) {
            EXPECT_FALSE(inside) << "header without an empty line before it: " << line;
            headers.insert(line);
            inside = true;
        } else {
            EXPECT_TRUE(inside) << "entry outside a section: " << line;
        }
    }
    EXPECT_EQ(headers, std::multiset<std::string>(tags.begin(), tags.end()));

    for (const std::string& tag : tags) {
        const Section section = find_section(lines, tag);
        EXPECT_FALSE(section.entries.empty()) << tag;
        for (const std::string& entry : section.entries) {
            SCOPED_TRACE(tag + " " + entry);
            EXPECT_TRUE(rt::Left(entry, 3) == "U \\" || rt::Left(entry, 3) == "H \\");
            EXPECT_EQ(entry.back() == '\\', tag != kSectionLogs);
            // Something below the prefix folder, never the drive root or the profile itself.
            const std::string below = rt::Mid(entry, 4);
            EXPECT_GT(below.size(), 1u);
            EXPECT_NE(below[0], '\\');
            EXPECT_EQ(below.find(".."), std::string::npos);
            EXPECT_FALSE(expand_location(entry, "C:\\Users\\ann", "C:").empty());
        }
    }
}
