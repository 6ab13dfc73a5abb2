#pragma once
// The settings, password, tools and guide windows of a whole program on fakes, driven
// through their window procedures.
#include <windows.h>
#include <commctrl.h>
#include <string>
#include <vector>
#include "form1_fixture.h"
#include "common/paths.h"
#include "runtime/forms.h"

namespace locktest {

class LockWindows : public form1test::Form1Test {
protected:
    // A click as the message loop delivers it: a control window's notification through the
    // window procedure, a windowless control's Click through the window's handler guard.
    static void click(rt::Control& c)
    {
        if (c.windowless())
            c.Parent().run_handler(c.on_click);
        else
            SendMessageA(c.Parent().hWnd(), WM_COMMAND, MAKEWPARAM(c.id(), BN_CLICKED),
                         reinterpret_cast<LPARAM>(c.hWnd()));
    }
    // What the user types replaces the box's text.
    static void type(rt::TextBox& box, const std::string& text) { SetWindowTextA(box.hWnd(), text.c_str()); }
    // The user drags the slider to a position and lets go.
    static void slide(rt::Slider& slider, long position)
    {
        SendMessageA(slider.hWnd(), TBM_SETPOS, TRUE, position);
        SendMessageA(slider.Parent().hWnd(), WM_HSCROLL, MAKEWPARAM(TB_ENDTRACK, 0),
                     reinterpret_cast<LPARAM>(slider.hWnd()));
    }
    static bool window_visible(rt::Control& c) { return (GetWindowLongA(c.hWnd(), GWL_STYLE) & WS_VISIBLE) != 0; }
    static char mask(rt::TextBox& box)
    {
        return static_cast<char>(SendMessageA(box.hWnd(), EM_GETPASSWORDCHAR, 0, 0));
    }

    std::string settings_bytes() const { return testsupport::read_bytes(dir / pellmaris::kSettingsFile); }
    std::string shipped_settings() const
    {
        return testsupport::read_bytes(testsupport::stage_folder() + "\\" + pellmaris::kSettingsFile);
    }
    void put(const std::string& name, const std::string& bytes) const { testsupport::write_bytes(dir / name, bytes); }

    // Message boxes with exactly this text.
    int messages(const std::string& text) const
    {
        int n = 0;
        for (const auto& p : fakes.dialogs->prompts)
            n += p.text == text;
        return n;
    }
};

} // namespace locktest
