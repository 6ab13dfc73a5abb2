// Sequential text files on real files: whole lines, PMlist.lst fields, pmdb.lst items,
// printed lines and numbers, and the errors of opening and reading.
#include <windows.h>
#include <string>
#include <vector>
#include <gtest/gtest.h>
#include "runtime/textfile.h"
#include "support/scratch.h"
#include "support/raised.h"

using rt::TextFile;
using testsupport::read_bytes;
using testsupport::write_bytes;

namespace {

enum class Read { Lines, Fields, Items };

// Everything the reader yields until eof(), then checks that one more read raises 62.
std::vector<std::string> read_all(const std::string& path, Read how)
{
    TextFile f(path, TextFile::Input);
    auto next = [&] {
        switch (how) {
        case Read::Lines: return f.line_input();
        case Read::Fields: return f.input_field();
        default: return f.input_item();
        }
    };
    std::vector<std::string> out;
    while (!f.eof() && out.size() < 100)
        out.push_back(next());
    EXPECT_EQ(error_of([&] { next(); }), rt::errPastEnd);
    return out;
}

using Strings = std::vector<std::string>;

class TextFileTest : public testing::Test {
protected:
    std::vector<std::string> read(const std::string& bytes, Read how)
    {
        write_bytes(file, bytes);
        return read_all(file, how);
    }

    testsupport::ScratchDir dir;
    std::string file = dir / "data.txt";
};

} // namespace

TEST_F(TextFileTest, LinesEndAtCrLfLoneCrOrLoneLf)
{
    EXPECT_EQ(read("a\r\nb\rc\nd", Read::Lines), (Strings{"a", "b", "c", "d"}));
    EXPECT_EQ(read("a\r\n\r\nb\r\n", Read::Lines), (Strings{"a", "", "b"}));
    EXPECT_EQ(read("a\r\r\nb\n\n", Read::Lines), (Strings{"a", "", "b", ""}));
    EXPECT_EQ(read("\r\n", Read::Lines), (Strings{""}));
    EXPECT_EQ(read(" kept  blanks \r\n", Read::Lines), (Strings{" kept  blanks "}));
    EXPECT_EQ(read("", Read::Lines), Strings{});
}

TEST_F(TextFileTest, LastLineOfTheAreaFileHasNoEndButIsRead)
{
    EXPECT_EQ(read("[LIST1]\r\n 1  0 \r\n[LIST2]\r\n 1  0  0  1 ", Read::Lines),
              (Strings{"[LIST1]", " 1  0 ", "[LIST2]", " 1  0  0  1 "}));
}

TEST_F(TextFileTest, ItemsOfTheAreaFileSplitAtBlanksAndLineEnds)
{
    std::string flags12 = " 1  1  0  0  0  0  0  0  0  1  1  1 ";
    Strings expected{"[LIST1]", "1", "1", "0", "0", "0", "0", "0", "0", "0", "1", "1", "1",
                     "[LIST2]", "1", "0", "0", "1"};
    EXPECT_EQ(read("[LIST1]\r\n" + flags12 + "\r\n[LIST2]\r\n 1  0  0  1 ", Read::Items), expected);
}

TEST_F(TextFileTest, EofComesRightAfterTheLastItemOfALineWithoutEnd)
{
    write_bytes(file, " 0  0  0  0 ");
    TextFile f(file, TextFile::Input);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(f.input_item(), "0");
    EXPECT_FALSE(f.eof());
    EXPECT_EQ(f.input_item(), "0");
    EXPECT_TRUE(f.eof());
}

TEST_F(TextFileTest, ItemsSplitAtCommasAndKeepQuotedText)
{
    EXPECT_EQ(read("1,2 , 3\r\n4\n5", Read::Items), (Strings{"1", "2", "3", "4", "5"}));
    EXPECT_EQ(read("\"a b\" c,\"d,e\"\r\n", Read::Items), (Strings{"a b", "c", "d,e"}));
    EXPECT_EQ(read("1,,2", Read::Items), (Strings{"1", "", "2"}));
}

TEST_F(TextFileTest, FieldsOfTheLocationFileEndAtCommasAndLineEnds)
{
    EXPECT_EQ(read("85,72,'\r\nU,101,'", Read::Fields), (Strings{"85", "72", "'", "U", "101", "'"}));
    EXPECT_EQ(read("85,72,'\r\nU,101,'\r\n", Read::Fields), (Strings{"85", "72", "'", "U", "101", "'"}));
    EXPECT_EQ(read("1,,2\r\n\r\n3\n'", Read::Fields), (Strings{"1", "", "2", "", "3", "'"}));
}

TEST_F(TextFileTest, FieldsKeepInnerBlanksAndQuotedText)
{
    EXPECT_EQ(read("  U \\AppData\\Local\\Temp\\  ,x y\r\n", Read::Fields),
              (Strings{"U \\AppData\\Local\\Temp\\", "x y"}));
    EXPECT_EQ(read("\"a, b\" , c\r\n\"d\"\r\n\" e \"", Read::Fields), (Strings{"a, b", "c", "d", " e "}));
}

TEST_F(TextFileTest, HeaderLinesThenFieldsAsTheLocationReaderDoes)
{
    write_bytes(file, "Pellmaris location database\r\nFormat version 1\r\nDatabase key:K\r\nU,90,'\r\n");
    TextFile f(file, TextFile::Input);
    f.line_input();
    f.line_input();
    EXPECT_EQ(f.line_input(), "Database key:K");
    EXPECT_EQ(f.input_field(), "U");
    EXPECT_EQ(f.input_field(), "90");
    EXPECT_EQ(f.input_field(), "'");
    EXPECT_TRUE(f.eof());
}

TEST_F(TextFileTest, PrintedLinesAndNumbersAreByteExact)
{
    {
        TextFile f(file, TextFile::Output);
        f.print_line("[LIST1]");
        for (int64_t n : {1, 0, -1})
            f.print_number(n);
        f.print_line();
        f.print_number(1234567890123LL);
        f.close();
    }
    EXPECT_EQ(read_bytes(file), "[LIST1]\r\n 1  0 -1 \r\n 1234567890123 ");
}

// The program's text is UTF-8; its files keep the bytes of the ANSI code page.
TEST_F(TextFileTest, FilesKeepAnsiBytesAndRefuseWhatTheCodePageCannotHold)
{
    if (GetACP() != 1252)
        GTEST_SKIP() << "needs the 1252 code page";
    {
        TextFile f(file, TextFile::Output);
        f.print_line("D C:\\caf\u00e9\\");
        f.close();
    }
    EXPECT_EQ(read_bytes(file), "D C:\\caf\xe9\\\r\n");
    TextFile in(file, TextFile::Input);
    EXPECT_EQ(in.line_input(), "D C:\\caf\u00e9\\");

    // CJK, and the look-alikes that a best fit would turn into "\" or "/": refused whole.
    for (const char* text : {"D C:\\\u65e5\u672c\\", "x\uff3c..\uff3cy", "x\u2215y", "x\uff0fy"}) {
        write_bytes(file, "old\r\n");
        TextFile f(file, TextFile::Append);
        try {
            f.print_line(text);
            ADD_FAILURE() << "printed " << text;
        } catch (const rt::RuntimeError& e) {
            EXPECT_EQ(e.number(), rt::errInvalidCall);
            EXPECT_NE(e.description().find("code page"), std::string::npos) << e.description();
        }
        f.close();
        EXPECT_EQ(read_bytes(file), "old\r\n") << text;
    }
}

TEST_F(TextFileTest, AnOemFileIsReadAndWrittenInTheOemCodePage)
{
    if (GetOEMCP() != 437)
        GTEST_SKIP() << "needs the 437 code page";
    {
        TextFile f(file, TextFile::Output, CP_OEMCP);
        f.print_line("caf\u00e9");
    }
    EXPECT_EQ(read_bytes(file), "caf\x82\r\n");
    TextFile in(file, TextFile::Input, CP_OEMCP);
    EXPECT_EQ(in.line_input(), "caf\u00e9");
}

TEST_F(TextFileTest, OutputTruncatesAndAppendAddsOrCreates)
{
    write_bytes(file, "a much longer old content\r\n");
    {
        TextFile f(file, TextFile::Output);
        f.print_line("new");
    }
    EXPECT_EQ(read_bytes(file), "new\r\n");

    std::string log = dir / "PMerror.log";
    for (const char* line : {"one", "two"}) {
        TextFile f(log, TextFile::Append);
        f.print_line(line);
    }
    EXPECT_EQ(read_bytes(log), "one\r\ntwo\r\n");
}

TEST_F(TextFileTest, OpenErrorsMapToRunTimeErrors)
{
    EXPECT_EQ(error_of([&] { TextFile f(dir / "missing.txt", TextFile::Input); }), rt::errFileNotFound);
    EXPECT_EQ(error_of([&] { TextFile f(dir / "nofolder\\a.txt", TextFile::Input); }), rt::errPathNotFound);
    EXPECT_EQ(error_of([&] { TextFile f(dir / "nofolder\\a.txt", TextFile::Output); }), rt::errPathNotFound);
    EXPECT_EQ(error_of([&] { TextFile f(dir / "nofolder\\a.txt", TextFile::Append); }), rt::errPathNotFound);
    EXPECT_EQ(error_of([&] { TextFile f(dir.path(), TextFile::Output); }), rt::errPathFileAccess);

    write_bytes(file, "keep");
    SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(error_of([&] { TextFile f(file, TextFile::Output); }), rt::errPathFileAccess);
    SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(read_bytes(file), "keep");
}

TEST_F(TextFileTest, ReadingTheWrongWayRaisesBadFileNumber)
{
    TextFile out(file, TextFile::Output);
    EXPECT_EQ(error_of([&] { out.line_input(); }), rt::errBadFileNumber);
    out.close();
    EXPECT_FALSE(out.is_open());
    EXPECT_EQ(error_of([&] { out.eof(); }), rt::errBadFileNumber);

    TextFile in(file, TextFile::Input);
    EXPECT_TRUE(in.is_open());
    EXPECT_EQ(error_of([&] { in.print_line("x"); }), rt::errBadFileNumber);
}
