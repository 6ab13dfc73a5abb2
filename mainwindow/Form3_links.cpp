// The windows the area selection opens that other parts of the program provide. Until
// those windows exist these leave the area selection as it is.
#include "engine/Program.h"
#include "mainwindow/Form3.h"

namespace pellmaris {

void open_drive_analysis(Program& /*app*/) {}
void open_guide_window(Program& /*app*/) {}
// The search window opens beside the area selection, which stays as it is.
void open_file_search(Program& app) { app.FormSearch.Show(); }

} // namespace pellmaris
