// Every writer of a program-folder file keeps the old file when the new one cannot be written.
#include <windows.h>
#include <functional>
#include <gtest/gtest.h>
#include "common/area_options.h"
#include "common/file_io.h"
#include "common/last_clean.h"
#include "common/settings_file.h"
#include "common/user_locations.h"
#include "format_test_support.h"
#include "support/scratch.h"

using namespace pellmaris;
using formattest::folder_entries;
using testsupport::read_bytes;
using testsupport::write_bytes;

namespace {

struct Writer {
    const char* name;
    std::function<void(const std::string&)> write;
};

const Writer kWriters[] = {
    {"settings", [](const std::string& p) { write_settings(p, default_settings()); }},
    {"area_options", [](const std::string& p) { write_area_options(p, std::vector<bool>(12, true), {}); }},
    {"user_locations", [](const std::string& p) { write_user_locations(p, {{true, "C:\\x\\"}}); }},
    {"append_user_location", [](const std::string& p) { append_user_location(p, {true, "C:\\x\\"}); }},
    {"last_clean", [](const std::string& p) { write_last_clean(p, {"d", "t", "1", "s"}); }},
};

void PrintTo(const Writer& writer, std::ostream* out) { *out << writer.name; }

class SafeWrite : public testing::TestWithParam<Writer> {};

const std::string kOld = "old\r\ncontent\r\n";

} // namespace

TEST_P(SafeWrite, ReplacesAnExistingFileAndLeavesNothingBehind)
{
    testsupport::ScratchDir dir;
    write_bytes(dir / "target", kOld);
    GetParam().write(dir / "target");
    EXPECT_NE(read_bytes(dir / "target"), kOld);
    EXPECT_EQ(folder_entries(dir.path()), std::vector<std::string>{"target"});
}

TEST_P(SafeWrite, AReadOnlyTargetRaisesAndIsKept)
{
    testsupport::ScratchDir dir;
    write_bytes(dir / "target", kOld);
    SetFileAttributesA((dir / "target").c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(error_of([&] { GetParam().write(dir / "target"); }), rt::errPathFileAccess);
    EXPECT_EQ(read_bytes(dir / "target"), kOld);
    EXPECT_EQ(folder_entries(dir.path()), std::vector<std::string>{"target"});
}

TEST_P(SafeWrite, AFolderInTheWayRaisesAndIsKept)
{
    testsupport::ScratchDir dir;
    testsupport::make_dirs(dir / "target");
    write_bytes(dir / "target\\inside", kOld);
    EXPECT_NE(error_of([&] { GetParam().write(dir / "target"); }), 0);
    EXPECT_EQ(read_bytes(dir / "target\\inside"), kOld);
    EXPECT_EQ(folder_entries(dir.path()), std::vector<std::string>{"target"});
}

TEST_P(SafeWrite, AMissingFolderRaisesPathNotFound)
{
    testsupport::ScratchDir dir;
    EXPECT_EQ(error_of([&] { GetParam().write(dir / "missing\\target"); }), rt::errPathNotFound);
    EXPECT_TRUE(folder_entries(dir.path()).empty());
}

INSTANTIATE_TEST_SUITE_P(Writers, SafeWrite, testing::ValuesIn(kWriters),
                         [](const testing::TestParamInfo<Writer>& info) { return std::string(info.param.name); });

TEST(SafeWriteHelper, AFailureWhilePrintingRemovesTheTemporaryFile)
{
    testsupport::ScratchDir dir;
    write_bytes(dir / "target", kOld);
    EXPECT_EQ(error_of([&] {
                  write_file_safely(dir / "target", [](rt::TextFile& f) {
                      f.print_line("half");
                      rt::raise(rt::errDiskFull);
                  });
              }),
              rt::errDiskFull);
    EXPECT_EQ(read_bytes(dir / "target"), kOld);
    EXPECT_EQ(folder_entries(dir.path()), std::vector<std::string>{"target"});
}
