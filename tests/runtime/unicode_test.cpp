// Conversions between the program's UTF-8, the system's UTF-16 and its code pages.
#include <windows.h>
#include <gtest/gtest.h>
#include "runtime/unicode.h"
#include "support/raised.h"

TEST(Unicode, Utf8AndUtf16RoundTripEveryPlane)
{
    const std::string text = "Cyrillic \xd0\x96, CJK \xe4\xb8\xad\xe6\x96\x87, emoji \xf0\x9f\x98\x80";
    const std::wstring wide = rt::utf16(text);
    EXPECT_EQ(wide, L"Cyrillic \u0416, CJK \u4e2d\u6587, emoji \U0001F600");
    EXPECT_EQ(rt::exact_utf8(wide), text);
    EXPECT_EQ(rt::utf8(wide), text);
    EXPECT_EQ(error_of([] { rt::utf16("bad \xff byte"); }), rt::errInvalidCall);
}

TEST(Unicode, AnUnpairedSurrogateHasNoExactForm)
{
    const std::wstring lone = std::wstring(L"a") + wchar_t(0xD800) + L"b";
    EXPECT_FALSE(rt::exact_utf8(lone).has_value());
    EXPECT_EQ(rt::utf8(lone), "a\xef\xbf\xbd" "b");   // shown, never used as a name
}

TEST(Unicode, LookAlikeCharactersNeverBecomeSeparators)
{
    // Fullwidth reverse solidus, division slash and fullwidth solidus: a best-fit
    // conversion would turn them into "\" and "/".
    for (const char* look_alike : {"\xef\xbc\xbc", "\xe2\x88\x95", "\xef\xbc\x8f"}) {
        const std::string name = std::string("x") + look_alike + "..";
        if (GetACP() != CP_UTF8) {
            EXPECT_FALSE(rt::fits_code_page(name, CP_ACP)) << name;
            EXPECT_EQ(error_of([&] { rt::utf8_to_ansi(name); }), rt::errInvalidCall) << name;
        } else {
            EXPECT_EQ(rt::utf8_to_ansi(name), name);
        }
    }
}

TEST(Unicode, AnsiTextRoundTripsWhereTheCodePageHoldsIt)
{
    EXPECT_EQ(rt::utf8_to_ansi("C:\\Temp\\a b"), "C:\\Temp\\a b");
    EXPECT_EQ(rt::utf8_from_ansi("C:\\Temp\\a b"), "C:\\Temp\\a b");
    if (GetACP() == 1252) {
        EXPECT_EQ(rt::utf8_from_ansi("caf\xe9"), "caf\xc3\xa9");
        EXPECT_EQ(rt::utf8_to_ansi("caf\xc3\xa9"), "caf\xe9");
        EXPECT_FALSE(rt::fits_code_page("\xd0\x96", CP_ACP));   // Cyrillic is not in 1252
    }
    EXPECT_EQ(rt::utf8_to_ansi(""), "");
    EXPECT_EQ(rt::utf8_from_ansi(""), "");
}
