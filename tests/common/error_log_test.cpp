#include "common/error_log.h"
#include <gtest/gtest.h>
#include "format_test_support.h"
#include "support/scratch.h"

using namespace pellmaris;
using formattest::crlf_lines;
using testsupport::read_bytes;

namespace {

const rt::LocalTime kNow{2024, 3, 7, 14, 5, 9};

std::string record(const std::string& procedure, const std::string& number, const std::string& description)
{
    return crlf_lines({"Date: " + rt::format_ddmmyy(kNow) + "   Time: " + rt::time_text(kNow), procedure,
                       "Error number = " + number, "Description  = " + description, ""});
}

} // namespace

TEST(ErrorLog, RecordsAreAppendedOneAfterAnother)
{
    testsupport::ScratchDir dir;
    std::string log = dir / "PMerror.log";
    append_error_log(log, kLogFirstPass, 53, "File not found", kNow);
    EXPECT_EQ(read_bytes(log), record("Error in procedure form1 code [first_pass]", "53", "File not found"));

    append_error_log(log, kLogDeepFolders, rt::RuntimeError(rt::errPermission), kNow);
    EXPECT_EQ(read_bytes(log), record("Error in procedure form1 code [first_pass]", "53", "File not found") +
                                   record("Error in procedure form7 code [deep_folders]", "70",
                                          rt::error_description(rt::errPermission)));
}

TEST(ErrorLog, DateLineUsesTwoDigitFieldsAndNegativeNumbersKeepTheirSign)
{
    testsupport::ScratchDir dir;
    std::string log = dir / "PMerror.log";
    append_error_log(log, kLogForm3Load, -2147467259, "", kNow);
    std::string bytes = read_bytes(log);
    EXPECT_EQ(bytes.substr(0, 6), "Date: ");
    std::string date = bytes.substr(6, 8);
    EXPECT_EQ(date.substr(0, 2), "07");
    EXPECT_EQ(date.substr(3, 2), "03");
    EXPECT_EQ(date.substr(6, 2), "24");
    EXPECT_EQ(bytes.substr(14, 9), "   Time: ");
    EXPECT_NE(bytes.find("\r\nError in procedure form3 code [form_load]\r\nError number = -2147467259\r\n"
                         "Description  = \r\n\r\n"),
              std::string::npos);
}

TEST(ErrorLog, ALogThatCannotBeWrittenIsPassedOver)
{
    testsupport::ScratchDir dir;
    EXPECT_NO_THROW(append_error_log(dir / "missing\\PMerror.log", kLogCleanLogfiles, 5, "x", kNow));
    EXPECT_NO_THROW(append_error_log(dir.path(), kLogCleanLogfiles, 5, "x", kNow));   // a folder
    EXPECT_TRUE(formattest::folder_entries(dir.path()).empty());
}
