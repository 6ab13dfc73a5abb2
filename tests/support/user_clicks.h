#pragma once
// The user's own clicks and keys on the windows of list, drive, folder and file controls:
// mouse and key messages sent to the control's window, which then tells its parent as it
// would for the pointer. (Windowless labels and pictures are hit-tested from the pointer's
// real place, which the tests cannot own on a shared display: use their bound handlers.)
#include <string>
#include "runtime/forms.h"

namespace testsupport {

// Lets the window mirror its controls and handle what the clicks posted.
void pump(rt::Control& control);

// A left click in the middle of a row of a list window (list, folder or file list).
void click_row(rt::Control& list, long row);
// A double click on a row.
void double_click_row(rt::Control& list, long row);
// The space bar on a row of a list.
void press_space_on(rt::ListBox& list, long row);
// The selection the list window shows, row by row: "1" selected, "0" not.
std::string shown_selection(rt::ListBox& list);
// The row of a list window showing exactly this text, or -1.
long row_showing(rt::Control& list, const std::string& text);

// Picks a drive from the drive list's drop-down.
void choose_drive(rt::DriveListBox& drives, char letter);
// Double clicks on a sub-folder, or on each step of a path below the folder shown ("a\b").
void open_folder(rt::DirListBox& folders, const std::string& name);
void open_folders(rt::DirListBox& folders, const std::string& steps);
void pick_file(rt::FileListBox& files, const std::string& name);
// A click on a button window (an option button, a check box, a command button).
void click_button(rt::Control& button);

// Keys as the keyboard sends them: posted to the control of the window that has the focus
// (to the window itself for a label or picture) and handled by the program's own message
// loop (a yield of the System), which translates them as usual. Other programs on the
// test display may take the system's focus away: the keys go where the window keeps it.
// A key pressed and let go, Shift held down when asked.
void press_key(rt::Form& window, WORD key, bool shift = false);
void press_keys(rt::Form& window, WORD key, int times);
// Characters typed.
void type_keys(rt::Form& window, const std::string& text);

} // namespace testsupport
