#include "engine/Form9.h"
#include <algorithm>
#include "common/last_clean.h"
#include "common/paths.h"
#include "app/Program.h"

namespace pellmaris {

namespace {

constexpr long kDesignLeft = 18375, kDesignTop = 11640;

// The design place, pulled back inside the work area so that small screens still show it.
long inside(long design, long size, long low, long high)
{
    return std::max(low, std::min(design, high - size));
}

} // namespace

Form9::Form9(Program& app) : rt::Form(app.sys, "Form9"), app(app)
{
    Label4.on_click = [this] { Label4_Click(); };
    Timer1.on_timer = [this] { Timer1_Timer(); };
}

void Form9::design()
{
    BorderStyle(rt::bsNone);
    ShowInTaskbar(false);
    BackColor(RGB(255, 255, 255));
    ScaleSize(3315, 1470);
    RECT work = rt::Screen::WorkArea();
    Move(inside(kDesignLeft, Width(), work.left, work.right), inside(kDesignTop, Height(), work.top, work.bottom));

    Label3.Move(240, 0, 2655, 375);
    Label3.Caption("Schedule Clean Results");
    Label1.Move(240, 600, 2655, 255);
    Label2.Move(240, 1080, 2655, 255);
    Label4.Move(3120, 0, 255, 255);
    Label4.Caption("X");
    for (rt::Label* label : {&Label3, &Label1, &Label2, &Label4}) {
        label->Font("MS Sans Serif", 8);
        label->BackColor(RGB(255, 255, 255));
    }
    Label3.FontBold(true);
    Timer1.Interval(9000);
    Timer1.Enabled(true);
}

void Form9::Form_Load()
{
    std::string files, space;
    if (auto record = read_last_clean(app.sys.path(kLastCleanFile))) {
        files = record->files;
        space = record->space;
    }
    Label1.Caption(files + " Files Removed");
    Label2.Caption(space + " Space Freed");
}

void Form9::Label4_Click() { Unload(); }

void Form9::Timer1_Timer() { Unload(); }

} // namespace pellmaris
