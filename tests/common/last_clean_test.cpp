#include "common/last_clean.h"
#include <gtest/gtest.h>
#include "format_test_support.h"
#include "support/scratch.h"

using namespace pellmaris;
using formattest::crlf_lines;
using testsupport::read_bytes;
using testsupport::write_bytes;

TEST(LastCleanFile, WritesFourLinesAndReadsThemBack)
{
    testsupport::ScratchDir dir;
    rt::LocalTime now{2023, 12, 31, 23, 59, 58};
    LastClean record = make_last_clean(now, 12, 2560);
    EXPECT_EQ(record.files, "12");
    EXPECT_EQ(record.space, "2.00   KBytes");
    EXPECT_EQ(record.date, rt::short_date_text(now));
    EXPECT_EQ(record.time, rt::time_text(now));

    write_last_clean(dir / "date.lst", record);
    EXPECT_EQ(read_bytes(dir / "date.lst"), crlf_lines({record.date, record.time, "12", "2.00   KBytes"}));
    auto read = read_last_clean(dir / "date.lst");
    ASSERT_TRUE(read);
    EXPECT_EQ(read->date, record.date);
    EXPECT_EQ(read->space, record.space);

    EXPECT_EQ(error_of([&] { write_last_clean(dir / "date.lst", {"a\nb", "t", "1", "s"}); }),
              rt::errInvalidCall);
    EXPECT_EQ(read_last_clean(dir / "date.lst")->files, "12");
}

TEST(LastCleanFile, TheLastRecordWinsAndARecordCutShortIsNoRecord)
{
    testsupport::ScratchDir dir;
    write_bytes(dir / "eight.lst", crlf_lines({"d1", "t1", "1", "s1", "d2", "t2", "2", "s2"}));
    auto eight = read_last_clean(dir / "eight.lst");
    ASSERT_TRUE(eight);
    EXPECT_EQ(eight->date, "d2");
    EXPECT_EQ(eight->space, "s2");

    write_bytes(dir / "six.lst", "d1\nt1\n1\ns1\nd2\nt2");
    EXPECT_FALSE(read_last_clean(dir / "six.lst"));
}

TEST(LastCleanFile, MissingEmptyOrShortGivesNothing)
{
    testsupport::ScratchDir dir;
    EXPECT_FALSE(read_last_clean(dir / "date.lst"));
    write_bytes(dir / "date.lst", "");
    EXPECT_FALSE(read_last_clean(dir / "date.lst"));
    write_bytes(dir / "date.lst", "d\r\nt\r\n3\r\n");
    EXPECT_FALSE(read_last_clean(dir / "date.lst"));
}
