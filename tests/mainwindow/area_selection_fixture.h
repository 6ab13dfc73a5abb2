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

    // ---- the editor's drive, folder and file lists, as the user works them ----

    // Picks the drive in the drive list, as choosing it from the drop-down does.
    void choose_drive(rt::DriveListBox& drives, char letter)
    {
        HWND combo = drives.hWnd();
        const std::string prefix = std::string(1, static_cast<char>(letter | 0x20)) + ":";
        const LRESULT row = SendMessageA(combo, CB_FINDSTRING, -1, reinterpret_cast<LPARAM>(prefix.c_str()));
        ASSERT_NE(row, CB_ERR) << "no drive " << prefix;
        SendMessageA(combo, CB_SETCURSEL, row, 0);
        SendMessageA(drives.Parent().hWnd(), WM_COMMAND, MAKEWPARAM(drives.id(), CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(combo));
        pump();
    }

    // The row of a list window whose text is the given one.
    static long row_of(HWND list, const std::string& text)
    {
        const LRESULT count = SendMessageA(list, LB_GETCOUNT, 0, 0);
        for (LRESULT i = 0; i < count; ++i) {
            char row[1024] = "";
            if (SendMessageA(list, LB_GETTEXTLEN, i, 0) < static_cast<LRESULT>(sizeof row))
                SendMessageA(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(row));
            if (text == row)
                return static_cast<long>(i);
        }
        return -1;
    }

    static LPARAM middle_of_row(HWND list, long row)
    {
        RECT r{};
        SendMessageA(list, LB_GETITEMRECT, row, reinterpret_cast<LPARAM>(&r));
        return MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    }

    // Opens a sub-folder of the folder list with a double click on its row.
    void open_folder(rt::DirListBox& folders, const std::string& name)
    {
        pump();
        HWND list = folders.hWnd();
        const long row = row_of(list, "   " + name);
        ASSERT_GE(row, 0) << "no folder " << name << " in " << folders.Path();
        SendMessageA(list, LB_SETTOPINDEX, row, 0);
        const LPARAM at = middle_of_row(list, row);
        SendMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageA(list, WM_LBUTTONUP, 0, at);
        SendMessageA(list, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
        SendMessageA(list, WM_LBUTTONUP, 0, at);
        pump();
    }

    // Every step of a path below the drive's root, one double click each.
    void open_folders(rt::DirListBox& folders, const std::string& steps)
    {
        std::size_t start = 0;
        while (start < steps.size()) {
            std::size_t end = steps.find('\\', start);
            if (end == std::string::npos)
                end = steps.size();
            open_folder(folders, steps.substr(start, end - start));
            start = end + 1;
        }
    }

    void pick_file(rt::FileListBox& files, const std::string& name)
    {
        pump();
        HWND list = files.hWnd();
        const long row = row_of(list, name);
        ASSERT_GE(row, 0) << "no file " << name;
        const LPARAM at = middle_of_row(list, row);
        SendMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageA(list, WM_LBUTTONUP, 0, at);
        pump();
    }

    void click_button(rt::Control& button)
    {
        SendMessageA(button.hWnd(), BM_CLICK, 0, 0);
        pump();
    }

    void put_user_locations(const std::string& bytes, const std::string& name = "PMuser.lst")
    {
        testsupport::write_bytes(dir / name, bytes);
    }
};

} // namespace areatest
