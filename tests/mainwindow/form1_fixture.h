#pragma once
// A whole program on recording fakes, its folder a scratch copy of the shipped files.
#include <memory>
#include <string>
#include <vector>
#include <gtest/gtest.h>
#include "common/settings_file.h"
#include "app/Program.h"
#include "support/fakes.h"
#include "support/scratch.h"

namespace form1test {

// pmdb.lst choosing no area at all: a full clean then touches nothing outside the folder.
inline const char* kNoAreas = "[LIST1]\r\n 0  0  0  0  0  0  0  0  0  0  0  0  0 \r\n[LIST2]\r\n 0  0  0  0 \r\n";

class Form1Test : public testing::Test {
protected:
    testsupport::ScratchDir dir;
    testsupport::Fakes fakes;
    std::vector<std::string> settings_lines;
    std::unique_ptr<pellmaris::Program> app;

    void SetUp() override
    {
        for (const char* name : {"info.ini", "PMwebs.lst"})
            testsupport::write_bytes(dir / name, testsupport::read_bytes(testsupport::stage_folder() + "\\" + name));
        testsupport::write_bytes(dir / "pmdb.lst", kNoAreas);
        const auto shipped = pellmaris::default_settings().lines;
        settings_lines.assign(shipped.begin(), shipped.end());
        write_settings_lines();
        app = std::make_unique<pellmaris::Program>(testsupport::make_fake_system(dir.path(), fakes));
    }

    pellmaris::Form1& form() { return app->Form1; }

    // Line n (1-based) of settings.ini, written as given (no number formatting).
    void set_line(int n, const std::string& text)
    {
        settings_lines.at(n - 1) = text;
        write_settings_lines();
    }

    void write_settings_lines()
    {
        std::string text;
        for (const auto& line : settings_lines)
            text += line + "\r\n";
        testsupport::write_bytes(dir / "settings.ini", text);
    }

    // Message boxes whose text starts with the given words.
    int prompts_starting(const std::string& words) const
    {
        int n = 0;
        for (const auto& p : fakes.dialogs->prompts)
            n += p.text.rfind(words, 0) == 0;
        return n;
    }

    // Lets the window's timers and posted messages run for a while.
    void pump_for(int milliseconds)
    {
        const DWORD end = GetTickCount() + milliseconds;
        while (GetTickCount() < end) {
            app->sys.DoEvents();
            Sleep(5);
        }
    }
};

} // namespace form1test
