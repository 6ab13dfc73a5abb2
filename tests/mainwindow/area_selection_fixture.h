#pragma once
// The area-selection window on a whole program of fakes, with the user's own clicks on its
// lists: mouse and key messages sent to the list windows themselves.
#include <windows.h>
#include <string>
#include <vector>
#include "form1_fixture.h"

namespace areatest {

// pmdb.lst as the window writes it: "[LIST1]", a " d " per area, "[LIST2]", a " d " per option.
inline std::string pmdb(const std::string& areas, const std::string& options)
{
    std::string text = "[LIST1]\r\n";
    for (char c : areas)
        text += std::string(" ") + c + " ";
    text += "\r\n[LIST2]\r\n";
    for (char c : options)
        text += std::string(" ") + c + " ";
    return text;
}

class AreaWindowTest : public form1test::Form1Test {
protected:
    pellmaris::Form3& area() { return app->Form3; }

    void pump() { app->sys.DoEvents(); }

    // A left click in the middle of a row, as the pointer would make it.
    void click_row(rt::ListBox& list, long row)
    {
        pump();   // the window shows the rows as they stand
        HWND window = list.hWnd();
        RECT r{};
        ASSERT_NE(SendMessageA(window, LB_GETITEMRECT, row, reinterpret_cast<LPARAM>(&r)), LB_ERR);
        const LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
        SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageA(window, WM_LBUTTONUP, 0, at);
        pump();
    }

    // The space bar on the row that has the keyboard focus.
    void press_space_on(rt::ListBox& list, long row)
    {
        pump();
        HWND window = list.hWnd();
        SendMessageA(window, LB_SETCARETINDEX, row, FALSE);
        SendMessageA(window, WM_KEYDOWN, VK_SPACE, 0x00390001);
        SendMessageA(window, WM_KEYUP, VK_SPACE, 0xC0390001);
        pump();
    }

    // The selection the list window shows, row by row ("1" selected, "0" not).
    std::string shown(rt::ListBox& list)
    {
        pump();
        std::string rows;
        const LRESULT count = SendMessageA(list.hWnd(), LB_GETCOUNT, 0, 0);
        for (LRESULT i = 0; i < count; ++i)
            rows += SendMessageA(list.hWnd(), LB_GETSEL, i, 0) > 0 ? '1' : '0';
        return rows;
    }

    // The selection the window's lists hold.
    static std::string held(rt::ListBox& list)
    {
        std::string rows;
        for (long i = 0; i < list.ListCount(); ++i)
            rows += list.Selected(i) ? '1' : '0';
        return rows;
    }

    // ADVANCED on the main window, through the click its hover picture carries.
    void open_advanced()
    {
        form().Show();
        form().Picture9.on_mouse_move(0, 0, 60, 60);
        form().Picture10.on_click();
        pump();
    }

    void put_user_locations(const std::string& bytes, const std::string& name = "PMuser.lst")
    {
        testsupport::write_bytes(dir / name, bytes);
    }
};

} // namespace areatest
