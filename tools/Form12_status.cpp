#include "tools/Form12_status.h"
#include "app/Program.h"
#include "tools/window_place.h"

namespace pellmaris {

namespace {

const COLORREF kWhite = RGB(255, 255, 255);

} // namespace

labelscreen::labelscreen(Program& app) : rt::Form(app.sys, "labelscreen"), app(app) {}

void labelscreen::design()
{
    BorderStyle(rt::bsNone);
    ShowInTaskbar(false);
    BackColor(kWhite);
    ScaleSize(11640, 885);
    Label1.Move(120, 120, 11415, 255);
    Label1.Caption("SEARCHING IN DRIVE");
    Label2.Move(120, 480, 11415, 375);
    Label2.Caption("FOUND FOLDER");
}

// The strip's bottom edge lies on the main window's bottom edge.
void labelscreen::Form_Load()
{
    Top(app.Form1.Top() + app.Form1.Height() - Height());
    Left(app.Form1.Left());
}

search::search(Program& app) : rt::Form(app.sys, "search"), app(app) {}

void search::design()
{
    Caption(rt::AppTitle);
    BorderStyle(rt::bsFixedDialog);
    ControlBox(false);
    ShowInTaskbar(false);
    ScaleSize(7380, 2175);
    centre_on_screen(*this);
    Animation1.Move(3240, 240, 975, 615);
    Label1.Move(240, 1320, 6855, 495);
    Label1.Caption("SEARCHING DRIVES FOR FOLDERS PLEASE WAIT");
    Label2.Move(240, 1920, 7095, 255);
    Label2.Caption("THIS MAY TAKE A LONG TIME DEPENDING ON THE NUMBER AND SIZE OF DISK DRIVES");
}

// Without its clip (missing or unreadable) the window shows its texts alone.
void search::Form_Load()
{
    if (Animation1.Open(app.sys.path(kSearchClipFile)))
        Animation1.Play();
}

} // namespace pellmaris
