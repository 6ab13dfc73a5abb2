// Text and number rules: blanks-only trimming, 1-based slicing, numeric text,
// half-to-even rounding, "#.00" and the date forms.
#include <windows.h>
#include <gtest/gtest.h>
#include "runtime/text.h"
#include "support/raised.h"

TEST(Text, TrimRemovesBlanksOnlyAtBothEnds)
{
    EXPECT_EQ(rt::Trim("  [GAMER]  "), "[GAMER]");
    EXPECT_EQ(rt::Trim(" U \\AppData\\Temp\\ "), "U \\AppData\\Temp\\");
    EXPECT_EQ(rt::Trim("\tx\r"), "\tx\r");   // tabs and line ends are not blanks
    EXPECT_EQ(rt::Trim("    "), "");
    EXPECT_EQ(rt::LTrim("  a  "), "a  ");
    EXPECT_EQ(rt::RTrim("  a  "), "  a");
}

TEST(Text, SlicesCountFromOne)
{
    EXPECT_EQ(rt::Mid("Database key:Pellmaris", 14), "Pellmaris");
    EXPECT_EQ(rt::Mid("HOMEDRIVE=C:", 11), "C:");
    EXPECT_EQ(rt::Mid("abc", 2, 1), "b");
    EXPECT_EQ(rt::Mid("abc", 2, 10), "bc");
    EXPECT_EQ(rt::Mid("abc", 4), "");
    EXPECT_EQ(rt::Left("OS NAME: X", 8), "OS NAME:");
    EXPECT_EQ(rt::Right("path\\", 1), "\\");
    EXPECT_EQ(rt::Right("ab", 5), "ab");
    EXPECT_EQ(error_of([] { rt::Mid("abc", 0); }), rt::errInvalidCall);
    EXPECT_EQ(error_of([] { rt::Left("abc", -1); }), rt::errInvalidCall);
}

TEST(Text, CaseAndLengthsFollowTheCharactersOfUtf8Text)
{
    EXPECT_EQ(rt::UCase("Total Physical Memory:"), "TOTAL PHYSICAL MEMORY:");
    EXPECT_EQ(rt::LCase("PMLIST.LST"), "pmlist.lst");
    EXPECT_EQ(rt::UCase("caf\u00e9 \u0434\u0430"), "CAF\u00c9 \u0414\u0410");
    EXPECT_EQ(rt::UCase("\u65e5\u672c"), "\u65e5\u672c");
    // Positions count characters: no cut falls inside one.
    const std::string name = "\u65e5\u672c\u8a9e.txt";
    EXPECT_EQ(rt::Len(name), 7u);
    EXPECT_EQ(rt::Left(name, 2), "\u65e5\u672c");
    EXPECT_EQ(rt::Mid(name, 3, 2), "\u8a9e.");
    EXPECT_EQ(rt::Right(name, 4), ".txt");
    EXPECT_EQ(rt::Mid("U \\\U0001F600\\x", 3), "\\\U0001F600\\x");
}

TEST(Text, NumericTextAcceptsBlanksSignDecimalsAndExponents)
{
    EXPECT_EQ(rt::to_number(" 2 "), 2.0);
    EXPECT_EQ(rt::to_number("-1.5"), -1.5);
    EXPECT_EQ(rt::to_number(".5"), 0.5);
    EXPECT_EQ(rt::to_number("5."), 5.0);
    EXPECT_EQ(rt::to_number("1e3"), 1000.0);
    EXPECT_EQ(rt::to_number("2.5E-1"), 0.25);
    EXPECT_EQ(rt::to_number("007"), 7.0);
    for (const char* bad : {"", "   ", "abc", "1 2", "12abc", "-", ".", "1e", "e5", "&H10", "1,5", "--1"})
        EXPECT_FALSE(rt::to_number(bad).has_value()) << '"' << bad << '"';
}

TEST(Text, NumericComparisonOfText)
{
    EXPECT_TRUE(rt::equals_number(" 2 ", 2));   // settings line 23 as printed
    EXPECT_TRUE(rt::equals_number("1", 1));
    EXPECT_TRUE(rt::equals_number("1.0", 1));
    EXPECT_FALSE(rt::equals_number("1", 0));
    EXPECT_FALSE(rt::equals_number("", 0));      // an empty line is no number at all
    EXPECT_FALSE(rt::equals_number("[LIST2]", 0));
}

TEST(Text, RoundingTakesHalvesToTheEvenNeighbour)
{
    EXPECT_EQ(rt::round_half_even(2.5), 2);
    EXPECT_EQ(rt::round_half_even(3.5), 4);
    EXPECT_EQ(rt::round_half_even(0.5), 0);
    EXPECT_EQ(rt::round_half_even(-2.5), -2);
    EXPECT_EQ(rt::round_half_even(-3.5), -4);
    EXPECT_EQ(rt::round_half_even(2.4999), 2);
    EXPECT_EQ(rt::round_half_even(2.5001), 3);
    EXPECT_EQ(rt::round_half_even(-0.4), 0);
    EXPECT_EQ(rt::round_half_even(1e15 + 0.5), 1000000000000000LL);
}

TEST(Text, WholeNumberConversionsOverflowOutsideTheirRange)
{
    EXPECT_EQ(rt::CLng(2147483647.4), 2147483647);
    EXPECT_EQ(rt::CLng(-2147483648.5), INT32_MIN);   // rounds to the even -2147483648
    EXPECT_EQ(error_of([] { rt::CLng(2147483647.5); }), rt::errOverflow);
    EXPECT_EQ(error_of([] { rt::CLng(-3e9); }), rt::errOverflow);
    EXPECT_EQ(rt::CInt(32766.5), 32766);
    EXPECT_EQ(error_of([] { rt::CInt(32767.5); }), rt::errOverflow);
    EXPECT_EQ(rt::CInt(-32768.5), -32768);
    EXPECT_EQ(error_of([] { rt::CInt(-32769.0); }), rt::errOverflow);
    EXPECT_EQ(rt::CInt(" 7 "), 7);
    EXPECT_EQ(rt::CInt("2.5"), 2);
    EXPECT_EQ(error_of([] { rt::CInt("abc"); }), rt::errTypeMismatch);
    EXPECT_EQ(error_of([] { rt::CInt(""); }), rt::errTypeMismatch);
    EXPECT_EQ(error_of([] { rt::CInt("99999"); }), rt::errOverflow);
}

TEST(Text, HashDotZeroZeroHasNoLeadingZero)
{
    EXPECT_EQ(rt::format_00(1024), "1024.00");
    EXPECT_EQ(rt::format_00(1), "1.00");
    EXPECT_EQ(rt::format_00(0), ".00");
    EXPECT_EQ(rt::format_00(-5), "-5.00");
    EXPECT_EQ(rt::format_00(5000000000LL), "5000000000.00");
}

TEST(Text, DatesAndTimesUseTheSystemFormats)
{
    char sep[8] = {};
    GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDATE, sep, sizeof sep);
    std::string s = sep[0] ? sep : "/";
    EXPECT_EQ(rt::format_ddmmyy({2026, 3, 7, 9, 0, 0}), "07" + s + "03" + s + "26");
    EXPECT_EQ(rt::format_ddmmyy({2005, 12, 31, 0, 0, 0}), "31" + s + "12" + s + "05");
    EXPECT_EQ(rt::format_ddmmyy({1999, 1, 1, 0, 0, 0}), "01" + s + "01" + s + "99");

    std::string date = rt::short_date_text({2026, 12, 9, 14, 5, 30});
    EXPECT_NE(date.find("2026"), std::string::npos) << date;
    EXPECT_NE(date.find("12"), std::string::npos) << date;
    EXPECT_NE(rt::short_date_text({2026, 12, 8, 14, 5, 30}), date);

    std::string afternoon = rt::time_text({2026, 12, 9, 14, 5, 30});
    EXPECT_NE(afternoon.find("05"), std::string::npos) << afternoon;
    EXPECT_NE(afternoon.find("30"), std::string::npos) << afternoon;
    EXPECT_NE(rt::time_text({2026, 12, 9, 2, 5, 30}), afternoon);   // the hour is used
}
