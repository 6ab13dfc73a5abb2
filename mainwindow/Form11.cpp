// The Windows-tools window: each icon starts its program through the shell, from the system
// folder Windows reports.
#include "mainwindow/Form11.h"
#include <windows.h>
#include <optional>
#include "common/paths.h"
#include "app/Program.h"
#include "mainwindow/window_look.h"
#include "runtime/text.h"
#include "runtime/unicode.h"

namespace pellmaris {

namespace {

using look::px;

constexpr long kDesignWidth = 4095, kDesignHeight = 3090;

struct Tool {
    rt::Image Form11::*image;
    const char* tip;
    const char* program;
    const char* not_found;
    const char* picture;
    long left, top;
};

const Tool kTools[] = {
    {&Form11::Image1, "Disk Cleanup", "cleanmgr.exe", "CleanManger Not Found", "TOOL_CLEANMGR", 600, 240},
    {&Form11::Image2, "Defragment", "dfrgui.exe", "Defragment Not Found", "TOOL_DFRGUI", 4800, 240},
    {&Form11::Image3, "System Configuration", "msconfig.exe", "Msconfig Not Found", "TOOL_MSCONFIG", 9000, 240},
    {&Form11::Image4, "System Performance", "perfmon.exe", "Performance Monitor Not Found", "TOOL_PERFMON", 600, 3360},
    {&Form11::Image5, "DirectX", "dxdiag.exe", "DirectX Not Found", "TOOL_DXDIAG", 4800, 3360},
    {&Form11::Image6, "Registry Edit", "regedt32.exe", "Registry Edit Not Found", "TOOL_REGEDT32", 9000, 3360},
};

// The tool in the system folder Windows reports, "" when it reports none. Never the home drive
// (on many machines a share others can write) nor the current drive.
std::string tool_path(const char* program)
{
    wchar_t buffer[MAX_PATH];
    const UINT n = GetSystemDirectoryW(buffer, MAX_PATH);
    if (n == 0 || n >= MAX_PATH)
        return "";
    const std::optional<std::string> folder = rt::exact_utf8(std::wstring(buffer, n));
    return folder ? *folder + "\\" + program : "";
}

} // namespace

long tool_icon_size(const Settings& settings)
{
    const double size = settings.value(kToolIconSize);
    // Past the design height the two rows cover each other and the lower one runs out of
    // the frame.
    if (!(size >= 1 && size <= kDesignHeight))
        return static_cast<long>(default_settings().value(kToolIconSize));
    return static_cast<long>(rt::round_half_even(size));
}

Form11::Form11(Program& program) : rt::Form(program.sys, "Form11"), app(program)
{
    Image1.on_click = [this] { Image1_Click(); };
    Image2.on_click = [this] { Image2_Click(); };
    Image3.on_click = [this] { Image3_Click(); };
    Image4.on_click = [this] { Image4_Click(); };
    Image5.on_click = [this] { Image5_Click(); };
    Image6.on_click = [this] { Image6_Click(); };
}

void Form11::design()
{
    Caption(rt::AppTitle);
    BorderStyle(rt::bsFixedSingle);
    look::window(*this, "BACK_TOOLS");
    ScaleSize(14220, 7875);
    Frame1.Caption("Windows Tools");
    Frame1.Move(120, 1080, 13935, 6615);
    for (const Tool& tool : kTools) {
        rt::Image& image = this->*tool.image;
        image.Container(&Frame1);
        image.Move(tool.left, tool.top, kDesignWidth, kDesignHeight);
        image.Stretch(true);
        image.LoadResourcePicture(tool.picture);
        image.ToolTipText(tool.tip);
    }
}

void Form11::Form_Load()
{
    const long size = tool_icon_size(read_settings(sys().path(kSettingsFile)));
    for (const Tool& tool : kTools) {
        rt::Image& image = this->*tool.image;
        image.Width(size);
        image.Height(size);
    }
}

// Only a tool that is nowhere to be found or will not start is reported; a user who said
// no to the elevation prompt has decided already.
void Form11::start_tool(int index)
{
    const Tool& tool = kTools[index];
    const std::string path = tool_path(tool.program);
    if (!path.empty()) {
        const rt::ShellStarter::Result result = sys().shell->open(path, rt::vbMinimizedFocus);
        if (result == rt::ShellStarter::Started || result == rt::ShellStarter::Declined)
            return;
    }
    MsgBox(tool.not_found, rt::vbOKOnly, rt::AppTitle);
}

void Form11::Image1_Click() { start_tool(0); }
void Form11::Image2_Click() { start_tool(1); }
void Form11::Image3_Click() { start_tool(2); }
void Form11::Image4_Click() { start_tool(3); }
void Form11::Image5_Click() { start_tool(4); }
void Form11::Image6_Click() { start_tool(5); }

} // namespace pellmaris
