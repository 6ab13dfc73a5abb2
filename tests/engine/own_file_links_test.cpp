// Every file the program writes or appends in its folder, with a link in its place that leads
// to a file outside: each writer fails as its window handles a failed write, and nothing is
// written through the link.
#include <windows.h>
#include <functional>
#include <memory>
#include <gtest/gtest.h>
#include "app/Program.h"
#include "common/area_options.h"
#include "common/last_clean.h"
#include "common/password_file.h"
#include "common/paths.h"
#include "common/settings_file.h"
#include "common/user_locations.h"
#include "engine/clean_support.h"
#include "runtime/errors.h"
#include "runtime/filesys.h"
#include "runtime/services.h"
#include "support/fakes.h"
#include "support/host.h"
#include "support/host_link.h"
#include "support/program_folder.h"
#include "tools/search_files.h"

using namespace pellmaris;

namespace {

constexpr const char* kSentinel = "bytes that are not the program's\r\n";

class OwnFileLinks : public ::testing::Test, protected testsupport::ProgramFolder {
protected:
    OwnFileLinks() : ProgramFolder("program", {"settings.ini", "PMlist.lst", "pmdb.lst", "info.ini"}) {}

    std::unique_ptr<Program> new_program()
    {
        fakes = {};
        return std::make_unique<Program>(testsupport::make_fake_system(folder, fakes));
    }

    // The start-up up to its first tick, then what that tick started, run for real in the
    // program folder as the system would run it.
    void start_up_and_run_the_dumps()
    {
        auto app = new_program();
        app->start();
        app->frmSplash.Timer1_Timer();
        auto real = rt::make_real_processes();
        for (const auto& start : fakes.processes->started) {
            auto process = real->start_held(start.command, rt::vbHide, start.folder);
            for (int i = 0; i < 600 && process->running(); ++i)
                Sleep(50);
        }
    }

    // Writes through a window's own writer; a refusal is what that window handles.
    static void write(const std::function<void()>& writer)
    {
        try {
            writer();
        } catch (const rt::RuntimeError&) {
        }
    }

    testsupport::Fakes fakes;
    std::string target = dir / "outside\\keep.txt";
};

TEST_F(OwnFileLinks, NoWriterWritesThroughALinkInItsFilesPlace)
{
    testsupport::make_dirs(dir / "outside");
    const std::string search_list = file(kSearchExtensionsFile);
    const std::vector<std::pair<const char*, std::function<void()>>> writers = {
        {kEnvBatch, [&] { new_program()->start(); }},
        {kSysInfoBatch, [&] { new_program()->start(); }},
        {kEnvDump, [&] { start_up_and_run_the_dumps(); }},
        {kSysInfoDump, [&] { start_up_and_run_the_dumps(); }},
        {kErrorLogFile,
         [&] { clean_support::log_error(*new_program(), "Error in procedure x", rt::RuntimeError(53)); }},
        {kLastCleanFile, [&] { write([&] { write_last_clean(file(kLastCleanFile), {"1/1/26", "10:00", "1", "1 Bytes"}); }); }},
        {kAreaOptionsFile,
         [&] { write([&] { write_area_options(file(kAreaOptionsFile), std::vector<bool>(12, true), {}); }); }},
        {kUserLocationsFile,
         [&] { write([&] { append_user_location(file(kUserLocationsFile), {true, dir / "junk\\"}); }); }},
        {kSettingsFile, [&] { write([&] { write_settings(file(kSettingsFile), default_settings()); }); }},
        {kPasswordFile, [&] { write([&] { write_password_file(file(kPasswordFile), "secret"); }); }},
        {kSearchExtensionsFile, [&] { write([&] { append_search_extension(search_list, ".evil"); }); }},
        {kSearchExtensionsFile, [&] { write([&] { write_search_extensions(search_list, {".evil"}); }); }},
        {kSearchBatchFile, [&] { write([&] { write_search_batch(file(kSearchBatchFile), {"S:\\"}); }); }},
        {kSearchResultsFile, [&] { write([&] { empty_file(file(kSearchResultsFile)); }); }},
    };
    for (const auto& [name, writer] : writers) {
        SCOPED_TRACE(name);
        testsupport::write_bytes(target, kSentinel);
        const std::string saved = rt::file_exists(file(name)) ? bytes(name) : "";   // what stood there before
        remove(name);
        ASSERT_TRUE(testsupport::make_host_link(file(name), target));
        writer();
        EXPECT_EQ(testsupport::read_bytes(target), kSentinel);
        testsupport::remove_host_link(file(name));
        if (!saved.empty())
            put(name, saved);
    }

    // A second name of a file outside (a hard link) shares its bytes just as well.
    testsupport::write_bytes(target, kSentinel);
    ASSERT_TRUE(testsupport::run_on_host(
        {"/bin/ln", testsupport::host_path(target), testsupport::host_path(file(kErrorLogFile))}));
    clean_support::log_error(*new_program(), "Error in procedure x", rt::RuntimeError(53));
    EXPECT_EQ(testsupport::read_bytes(target), kSentinel);
}

} // namespace
