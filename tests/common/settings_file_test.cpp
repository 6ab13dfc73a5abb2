#include "common/settings_file.h"
#include <gtest/gtest.h>
#include "format_test_support.h"
#include "support/scratch.h"

using namespace pellmaris;
using formattest::crlf_lines;
using testsupport::read_bytes;
using testsupport::write_bytes;

namespace {

// 23 distinct lines "v1".."v23" repeated `blocks` times, block b's lines prefixed "b<b>:".
std::vector<std::string> numbered_blocks(int blocks)
{
    std::vector<std::string> lines;
    for (int b = 1; b <= blocks; ++b)
        for (int n = 1; n <= kSettingsLineCount; ++n)
            lines.push_back(std::string("b").append(std::to_string(b)).append(":").append(std::to_string(n)));
    return lines;
}

} // namespace

TEST(SettingsFile, DefaultsAreTheShippedFileByteForByte)
{
    testsupport::ScratchDir dir;
    write_settings(dir / "settings.ini", default_settings());
    std::string shipped = read_bytes(testsupport::stage_folder() + "\\settings.ini");
    EXPECT_EQ(read_bytes(dir / "settings.ini"), shipped);

    Settings read = read_settings(testsupport::stage_folder() + "\\settings.ini");
    EXPECT_EQ(read.lines, default_settings().lines);
    EXPECT_EQ(read.value(kTransparencyAlpha), 200);
    EXPECT_EQ(read.value(kToolIconSize), 1500);
    EXPECT_EQ(read.value(kAutoCleanInterval), 0);
}

TEST(SettingsFile, WritesEveryLineWithCrLfAndTheIntervalInNumberForm)
{
    testsupport::ScratchDir dir;
    Settings s = default_settings();
    s.lines[kShutdownAfterCleanup - 1] = "1";
    s.lines[kTransparencyAlpha - 1] = "75";
    s.lines[kThirtyMinutesOption - 1] = "False";
    s.lines[kToolIconSize - 1] = "3090";
    s.lines[kAutoCleanInterval - 1] = interval_line(3);
    write_settings(dir / "settings.ini", s);

    std::vector<std::string> expected = {"1", "0", "0", "1", "1", "0", "0", "75", "False", "0", "0", "0",
                                         "0", "3090", "0", "0", "0", "0", "1", "0", "0", "0", " 3 "};
    EXPECT_EQ(read_bytes(dir / "settings.ini"), crlf_lines(expected));

    // A bare digit on line 23 is still written in number form; no interval gives an empty line.
    auto file_end = [&] {
        std::string bytes = read_bytes(dir / "settings.ini");
        return bytes.substr(bytes.size() - 7);
    };
    s.lines[kAutoCleanInterval - 1] = "2";
    write_settings(dir / "settings.ini", s);
    EXPECT_EQ(file_end(), "\r\n 2 \r\n");
    s.lines[kAutoCleanInterval - 1] = interval_line(0);
    write_settings(dir / "settings.ini", s);
    EXPECT_EQ(file_end(), "\r\n0\r\n\r\n");
    EXPECT_EQ(read_settings(dir / "settings.ini").value(kAutoCleanInterval), 0);
}

TEST(SettingsFile, IntervalLineForms)
{
    EXPECT_EQ(interval_line(0), "");
    EXPECT_EQ(interval_line(1), " 1 ");
    EXPECT_EQ(interval_line(4), " 4 ");
    EXPECT_EQ(error_of([] { interval_line(5); }), rt::errInvalidCall);
    EXPECT_EQ(error_of([] { interval_line(-1); }), rt::errInvalidCall);
}

TEST(SettingsFile, ALineBreakInsideAValueIsRefusedBeforeWriting)
{
    testsupport::ScratchDir dir;
    write_bytes(dir / "settings.ini", "old");
    Settings s = default_settings();
    s.lines[5] = "1\r\n0";
    EXPECT_EQ(error_of([&] { write_settings(dir / "settings.ini", s); }), rt::errInvalidCall);
    EXPECT_EQ(read_bytes(dir / "settings.ini"), "old");
}

TEST(SettingsFile, TheLastCompleteBlockWins)
{
    testsupport::ScratchDir dir;
    auto lines = numbered_blocks(2);
    write_bytes(dir / "46.ini", crlf_lines(lines));
    Settings s = read_settings(dir / "46.ini");
    EXPECT_EQ(s.line(1), "b2:1");
    EXPECT_EQ(s.line(23), "b2:23");

    // 30 lines: the seven after the first block do not make a block.
    lines.resize(30);
    write_bytes(dir / "30.ini", crlf_lines(lines));
    s = read_settings(dir / "30.ini");
    EXPECT_EQ(s.line(1), "b1:1");
    EXPECT_EQ(s.line(23), "b1:23");
}

TEST(SettingsFile, ShortMissingAndOddlyEndedFilesFallBackToDefaults)
{
    testsupport::ScratchDir dir;
    Settings defaults = default_settings();
    EXPECT_EQ(read_settings(dir / "missing.ini").lines, defaults.lines);
    EXPECT_EQ(read_settings(dir.path()).lines, defaults.lines);   // a folder, not a file

    write_bytes(dir / "empty.ini", "");
    EXPECT_EQ(read_settings(dir / "empty.ini").lines, defaults.lines);

    // Ten lines with lone LF ends, the last without an end: kept, the rest defaulted.
    write_bytes(dir / "short.ini", "1\n1\n1\n0\n0\n1\n1\n99\nTrue\n1");
    Settings s = read_settings(dir / "short.ini");
    EXPECT_EQ(s.line(1), "1");
    EXPECT_EQ(s.value(kTransparencyAlpha), 99);
    EXPECT_EQ(s.line(kThirtyMinutesOption), "True");
    EXPECT_TRUE(s.is(kFullCleanOnStartup, 1));
    for (int n = 11; n <= kSettingsLineCount; ++n)
        EXPECT_EQ(s.line(n), defaults.line(n)) << "line " << n;

    // Lone CR ends and a final line 23 without its line end.
    std::string cr_file;
    for (int n = 1; n < kSettingsLineCount; ++n)
        cr_file += "1\r";
    write_bytes(dir / "cr.ini", cr_file + " 4 ");
    s = read_settings(dir / "cr.ini");
    EXPECT_EQ(s.value(kHideClosePrompt), 1);
    EXPECT_EQ(s.value(kAutoCleanInterval), 4);
}

// Readers compare the number as read; only a line without a number takes the shipped value.
TEST(SettingsFile, ValuesAreKeptAsReadAndComparedAsNumbers)
{
    Settings s = default_settings();
    s.lines[kMinimizeToTray - 1] = "abc";       // no number: the shipped 1
    s.lines[kShutdownAfterCleanup - 1] = "2";   // a number, if not a check box's
    s.lines[kScheduleClean - 1] = " 1 ";        // blanks around a number are fine
    s.lines[kTransparency - 1] = "0.6";         // not 1, however it would round
    s.lines[kHideClosePrompt - 1] = "1.4";
    s.lines[kTransparencyAlpha - 1] = "-5";
    s.lines[kToolIconSize - 1] = "600";
    EXPECT_EQ(s.value(kMinimizeToTray), 1);
    EXPECT_FALSE(s.number(kMinimizeToTray).has_value());
    EXPECT_EQ(s.value(kShutdownAfterCleanup), 2);
    EXPECT_FALSE(s.is(kShutdownAfterCleanup, 1));
    EXPECT_TRUE(s.is(kScheduleClean, 1));
    EXPECT_FALSE(s.is(kTransparency, 1));
    EXPECT_FALSE(s.is(kHideClosePrompt, 1));
    EXPECT_EQ(s.value(kTransparencyAlpha), -5);
    EXPECT_EQ(s.value(kToolIconSize), 600);
    EXPECT_EQ(s.number(kThirtyMinutesOption), std::nullopt);   // "False"
    EXPECT_EQ(s.value(kThirtyMinutesOption), 0);

    EXPECT_EQ(error_of([&] { s.line(0); }), rt::errSubscript);
    EXPECT_EQ(error_of([&] { s.value(24); }), rt::errSubscript);
}

TEST(SettingsFile, OnlyAWholeOneToFourIsAnInterval)
{
    Settings s = default_settings();
    const std::pair<const char*, int> cases[] = {{" 2 ", 2}, {"4", 4}, {"2.5", 0}, {"7", 0}, {"0", 0}, {"x", 0}, {"", 0}};
    for (const auto& [text, choice] : cases) {
        s.lines[kAutoCleanInterval - 1] = text;
        EXPECT_EQ(s.interval_choice(), choice) << "line 23 = \"" << text << "\"";
    }
}
