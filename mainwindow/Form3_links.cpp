// The windows the area selection opens that other parts of the program provide.
#include "app/Program.h"
#include "mainwindow/Form3.h"

namespace pellmaris {

// The analysis window's load takes this window's place and hides it.
void open_drive_analysis(Program& app) { app.Form7.Show(); }
// The search window opens beside the area selection, which stays as it is.
void open_file_search(Program& app) { app.FormSearch.Show(); }

} // namespace pellmaris
