#pragma once
// Screenshot scenes: each shows one or more windows of a program as a user would see
// them, for scripts/screenshot.sh. A scene file registers its scenes at start-up:
//
//     SCREENSHOT_SCENE(report_window) { ...; return {app.Form2.hWnd()}; }
//
// The program runs on the recording fakes (nothing is started, ended or written to the
// registry) with its program folder a throw-away copy of the stage folder, which the
// scene may change first (settings lines, pmdb.lst, PMuser.lst, a tree to clean).
#include <windows.h>
#include <functional>
#include <string>
#include <vector>
#include "app/Program.h"
#include "support/fakes.h"

namespace screenshots {

struct SceneContext {
    pellmaris::Program& app;
    testsupport::Fakes& fakes;
    std::string program_folder;   // no trailing backslash
    // Line n (1-based) of the copy's settings.ini replaced.
    void set_setting(int n, const std::string& value) const;
    void put(const std::string& name, const std::string& bytes) const;
    // Lets timers and posted messages run for a while.
    void pump_for(int milliseconds) const;
};

// Prepares the program folder before the program is created (may be empty).
using Prepare = std::function<void(const std::string& program_folder)>;
// Shows the windows; the picture covers them all.
using Show = std::function<std::vector<HWND>(SceneContext&)>;

struct SceneRegistration {
    SceneRegistration(const char* name, Show show, Prepare prepare = {});
};

} // namespace screenshots

#define SCREENSHOT_SCENE(name)                                                            \
    static std::vector<HWND> scene_##name(screenshots::SceneContext& scene);              \
    static const screenshots::SceneRegistration registration_##name(#name, scene_##name); \
    static std::vector<HWND> scene_##name([[maybe_unused]] screenshots::SceneContext& scene)
