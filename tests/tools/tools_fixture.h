#pragma once
// A whole program on recording fakes, in a scratch program folder holding the shipped files.
#include <windows.h>
#include <functional>
#include <memory>
#include <string>
#include <gtest/gtest.h>
#include "app/Program.h"
#include "support/fakes.h"
#include "support/program_folder.h"

namespace toolstest {

class ToolsTest : public testing::Test, protected testsupport::ProgramFolder {
protected:
    ToolsTest() : ProgramFolder("program", {"settings.ini", "pmdb.lst", "info.ini", "PMwebs.lst", "SEARCH.AVI"}) {}

    testsupport::Fakes fakes;
    std::unique_ptr<pellmaris::Program> app = std::make_unique<pellmaris::Program>(
        testsupport::make_fake_system(folder, fakes));

    // Runs the message loop until the condition holds; false when it did not within the time.
    bool pump_until(const std::function<bool()>& done, int timeout_ms = 60000)
    {
        const ULONGLONG end = GetTickCount64() + timeout_ms;
        while (!done()) {
            if (GetTickCount64() > end)
                return false;
            app->sys.DoEvents();
            Sleep(5);
        }
        return true;
    }
    void pump_for(int ms)
    {
        const ULONGLONG end = GetTickCount64() + ms;
        pump_until([&] { return GetTickCount64() > end; }, ms + 1000);
    }

    // A button click as the window receives it.
    static void click(rt::CommandButton& button)
    {
        SendMessageA(button.Parent().hWnd(), WM_COMMAND, MAKEWPARAM(button.id(), BN_CLICKED),
                     reinterpret_cast<LPARAM>(button.hWnd()));
    }

    int prompts_containing(const std::string& words) const
    {
        int n = 0;
        for (const auto& p : fakes.dialogs->prompts)
            n += p.text.find(words) != std::string::npos;
        return n;
    }
};

} // namespace toolstest
