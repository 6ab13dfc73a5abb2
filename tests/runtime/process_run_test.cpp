// Starting a program and waiting for its exit code, through the real process starter.
#include <gtest/gtest.h>
#include "runtime/services.h"
#include "support/raised.h"

TEST(RealProcessRun, GivesTheExitCodeOrNothingWhenTheProgramOutlivesTheWait)
{
    auto processes = rt::make_real_processes();
    EXPECT_EQ(processes->run("cmd.exe /c exit 7", rt::vbHide, 60000), std::optional<unsigned long>(7));
    EXPECT_EQ(processes->run("cmd.exe /c exit 0", rt::vbHide, 60000), std::optional<unsigned long>(0));
    // No program has ended a moment after its start.
    EXPECT_EQ(processes->run("cmd.exe /c exit 7", rt::vbHide, 0), std::nullopt);
    EXPECT_EQ(error_of([&] { processes->run("pellmaris_no_such_program.exe", rt::vbHide, 1000); }), 53);
}
