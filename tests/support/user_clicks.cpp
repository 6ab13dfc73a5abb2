#include "support/user_clicks.h"
#include <gtest/gtest.h>

namespace testsupport {

namespace {

LPARAM middle_of_row(HWND list, long row)
{
    SendMessageA(list, LB_SETTOPINDEX, row, 0);   // scrolled into view
    RECT r{};
    EXPECT_NE(SendMessageA(list, LB_GETITEMRECT, row, reinterpret_cast<LPARAM>(&r)), LB_ERR) << "row " << row;
    return MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
}

} // namespace

void pump(rt::Control& control) { control.Parent().sys().DoEvents(); }

void click_row(rt::Control& list, long row)
{
    pump(list);
    HWND window = list.hWnd();
    const LPARAM at = middle_of_row(window, row);
    SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(window, WM_LBUTTONUP, 0, at);
    pump(list);
}

void double_click_row(rt::Control& list, long row)
{
    click_row(list, row);
    HWND window = list.hWnd();
    const LPARAM at = middle_of_row(window, row);
    SendMessageA(window, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    SendMessageA(window, WM_LBUTTONUP, 0, at);
    pump(list);
}

void press_space_on(rt::ListBox& list, long row)
{
    pump(list);
    HWND window = list.hWnd();
    SendMessageA(window, LB_SETCARETINDEX, row, FALSE);
    SendMessageA(window, WM_KEYDOWN, VK_SPACE, 0x00390001);
    SendMessageA(window, WM_KEYUP, VK_SPACE, 0xC0390001);
    pump(list);
}

std::string shown_selection(rt::ListBox& list)
{
    pump(list);
    std::string rows;
    const LRESULT count = SendMessageA(list.hWnd(), LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i)
        rows += SendMessageA(list.hWnd(), LB_GETSEL, i, 0) > 0 ? '1' : '0';
    return rows;
}

long row_showing(rt::Control& list, const std::string& text)
{
    pump(list);
    HWND window = list.hWnd();
    const LRESULT count = SendMessageA(window, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        const LRESULT length = SendMessageA(window, LB_GETTEXTLEN, i, 0);
        if (length != static_cast<LRESULT>(text.size()))
            continue;
        std::string row(static_cast<size_t>(length) + 1, '\0');
        SendMessageA(window, LB_GETTEXT, i, reinterpret_cast<LPARAM>(row.data()));
        row.resize(static_cast<size_t>(length));
        if (row == text)
            return static_cast<long>(i);
    }
    return -1;
}

void choose_drive(rt::DriveListBox& drives, char letter)
{
    HWND combo = drives.hWnd();
    const std::string prefix = std::string(1, static_cast<char>(letter | 0x20)) + ":";
    const LRESULT row = SendMessageA(combo, CB_FINDSTRING, -1, reinterpret_cast<LPARAM>(prefix.c_str()));
    ASSERT_NE(row, CB_ERR) << "no drive " << prefix;
    SendMessageA(combo, CB_SETCURSEL, row, 0);
    SendMessageA(drives.Parent().hWnd(), WM_COMMAND, MAKEWPARAM(drives.id(), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(combo));
    pump(drives);
}

void open_folder(rt::DirListBox& folders, const std::string& name)
{
    const long row = row_showing(folders, "   " + name);
    ASSERT_GE(row, 0) << "no folder " << name << " in " << folders.Path();
    double_click_row(folders, row);
}

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
    const long row = row_showing(files, name);
    ASSERT_GE(row, 0) << "no file " << name << " in " << files.Path();
    click_row(files, row);
}

void click_button(rt::Control& button)
{
    SendMessageA(button.hWnd(), BM_CLICK, 0, 0);
    pump(button);
}

namespace {

HWND focus_window(rt::Form& window)
{
    rt::Control* focused = window.ActiveControl();
    EXPECT_NE(focused, nullptr) << "no control of " << window.Name() << " has the focus";
    return focused && !focused->windowless() ? focused->hWnd() : window.hWnd();
}

// Shift as the key state of the thread shows it while the loop handles the key.
void hold_shift(bool down)
{
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_SHIFT] = keys[VK_LSHIFT] = down ? 0x80 : 0;
    SetKeyboardState(keys);
}

} // namespace

void press_key(rt::Form& window, WORD key, bool shift)
{
    const LPARAM scan = static_cast<LPARAM>(MapVirtualKeyA(key, MAPVK_VK_TO_VSC)) << 16;
    if (shift)
        hold_shift(true);
    HWND target = focus_window(window);
    PostMessageA(target, WM_KEYDOWN, key, scan | 1);
    PostMessageA(target, WM_KEYUP, key, scan | 1 | 0xC0000000);
    window.sys().DoEvents();
    window.sys().DoEvents();
    if (shift)
        hold_shift(false);
}

void press_keys(rt::Form& window, WORD key, int times)
{
    for (int i = 0; i < times; ++i)
        press_key(window, key);
}

void type_keys(rt::Form& window, const std::string& text)
{
    HWND target = focus_window(window);
    for (char c : text)
        PostMessageA(target, WM_CHAR, static_cast<unsigned char>(c), 1);
    window.sys().DoEvents();
}

} // namespace testsupport
