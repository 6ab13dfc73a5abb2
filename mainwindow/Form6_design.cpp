// The own-locations editor's layout.
#include "app/Program.h"
#include "mainwindow/Form6.h"
#include "mainwindow/default_theme.h"

namespace pellmaris {

using theme::px;

namespace {

constexpr long kActions = 480, kActionsWidth = 150;

} // namespace

void Form6::design()
{
    theme::dress_window(*this, 643, 410);

    Drive1.Move(px(16), px(16), px(220), px(22));
    Dir1.Move(px(16), px(44), px(220), px(180));
    File1.Move(px(248), px(16), px(220), px(208));
    // Every file of the folder may be added, hidden and system files too.
    File1.Hidden(true);
    File1.System(true);

    Option1.Caption("Clean Folder");
    Option1.Move(px(kActions), px(16), px(kActionsWidth), px(20));
    Option2.Caption("Clean File Only");
    Option2.Move(px(kActions), px(40), px(kActionsWidth), px(20));
    theme::place_label(Label1, "Add to Custom Cleaning List", kActions, 80, kActionsWidth, 34);
    theme::place_label(Label3, "Remove Selected Locations from Custom Cleaning List", kActions, 124, kActionsWidth, 48);
    Label1.ToolTipText("Add the chosen folder or file");
    Label3.ToolTipText("Remove the selected rows below");

    theme::place_label(Label2, "USER Own Locations", 16, 236, 300, 18);
    Label2.Font(theme::kFont, 9, true);
    Label2.ForeColor(theme::kInk);
    List1.MultiSelect(true);
    List1.Font(theme::kFont, 8);
    List1.Move(px(16), px(256), px(614), px(140));
}

} // namespace pellmaris
