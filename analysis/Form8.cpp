#include "analysis/Form8.h"
#include <array>
#include "app/Program.h"
#include "runtime/errors.h"

namespace pellmaris {

namespace {

constexpr long kClientWidth = 9645, kClientHeight = 6570;
constexpr long kListLeft = 120, kListWidth = 9375, kListHeight = 840, kEnlargedListHeight = 4000;
constexpr long kTitleLeft = 0, kOptionLeft = 5400, kEnlargeLeft = 7560, kCountLeft = 8400;
constexpr long kLabelHeight = 255;
constexpr long kBackLeftEnlarged = 7440;
constexpr long kWidthMargin = 500, kHeightMargin = 2500;

// Row r's list Top and label Top in the four-row layout; row 1's are the enlarged places.
constexpr std::array<long, 4> kListTop{1680, 3000, 4320, 5640};
constexpr std::array<long, 4> kLabelTop{1320, 2640, 3960, 5280};
// The Back labels at rest, below the designed client area.
struct Place { long left, top, width, height; };
constexpr std::array<Place, 4> kBackRest{{{1080, 6720, 855, 375}, {1080, 7320, 975, 375},
                                          {2280, 6720, 855, 375}, {2160, 7320, 975, 375}}};
// Where the Back labels stand at design, out of sight.
constexpr std::array<Place, 4> kBackDesign{{{2520, 11880, 855, 375}, {2520, 12480, 975, 375},
                                            {3720, 11880, 855, 375}, {3600, 12480, 975, 375}}};
constexpr std::array<Place, 4> kMarkerDesign{{{5280, 12360, 735, 255}, {6240, 12360, 735, 255},
                                              {7200, 12360, 615, 255}, {8160, 12360, 735, 255}}};

const char* const kTitles[] = {
    "FILES TO BE DELETED",
    "READONLY FILES TO BE DELETED IF OPTION SELECTED",
    "HIDDEN FILES TO BE DELETED IF OPTION SELECTED",
    "HIDDEN-READONLY FILES TO BE DELETED IF OPTION SELECTED",
};

void place(rt::Control& c, const Place& p) { c.Move(p.left, p.top, p.width, p.height); }

} // namespace

Form8::Form8(Program& program) : rt::Form(program.sys, "Form8"), app(program)
{
    Label13.on_click = [this] { Label13_Click(); };
    Label14.on_click = [this] { Label14_Click(); };
    Label15.on_click = [this] { Label15_Click(); };
    Label16.on_click = [this] { Label16_Click(); };
    Label17.on_click = [this] { Label17_Click(); };
    Label18.on_click = [this] { Label18_Click(); };
    Label19.on_click = [this] { Label19_Click(); };
    Label20.on_click = [this] { Label20_Click(); };
}

Form8::Row Form8::row(int r)
{
    switch (r) {
    case 1: return {List1, Label1, Label5, Label9, Label13, Label17, Label21};
    case 2: return {List2, Label2, Label6, Label10, Label14, Label18, Label22};
    case 3: return {List3, Label3, Label7, Label11, Label15, Label19, Label23};
    case 4: return {List4, Label4, Label8, Label12, Label16, Label20, Label24};
    default: rt::raise(rt::errSubscript);
    }
}

void Form8::design()
{
    Caption(rt::AppTitle);
    BorderStyle(rt::bsSizable);
    ScaleSize(kClientWidth, kClientHeight);
    try {
        LoadResourcePicture("BANNER_RESULTS");
    } catch (const rt::RuntimeError&) {
        // decoration only
    }
    for (int r = 1; r <= 4; ++r) {
        Row w = row(r);
        const long label_top = kLabelTop[r - 1];
        w.list.Move(kListLeft, kListTop[r - 1], kListWidth, kListHeight);
        w.title.Move(kTitleLeft, label_top, 5175, kLabelHeight);
        w.title.Caption(kTitles[r - 1]);
        w.title.Font("Tahoma", 7);   // the longest title fits its line
        w.option.Move(kOptionLeft, label_top, 2895, kLabelHeight);
        w.option.Caption(r == 1 ? "Option SELECTED" : "Option NOT Selected");
        w.enlarge.Move(kEnlargeLeft, label_top, 735, kLabelHeight);
        w.enlarge.Caption("Enlarge");
        w.count.Move(kCountLeft, label_top, 1095, kLabelHeight);
        w.count.Caption("888888 Files");
        place(w.back, kBackDesign[r - 1]);
        w.back.Caption("Back");
        w.back.Visible(false);
        place(w.marker, kMarkerDesign[r - 1]);
        w.marker.Caption(w.marker.Name());
        w.marker.Visible(false);
        for (rt::Label* bold : {&w.option, &w.enlarge, &w.back})
            bold->Font("MS Sans Serif", 8, true);
    }
}

// Opens over the analysis window, covering it exactly: its sizable frame is wider than the
// analysis window's fixed one, so the designed client size alone would leave a strip of it.
void Form8::Form_Load()
{
    Top(app.Form7.Top());
    Left(app.Form7.Left());
    Width(app.Form7.Width());
    Height(app.Form7.Height());
}

void Form8::Form_Resize()
{
    if (WindowState() == rt::vbMinimized)
        return;
    const long width = Width() - kWidthMargin, height = Height() - kHeightMargin;
    if (width < 0 || height < 0)
        return;   // too small to show a list: it keeps its size
    for (int r = 1; r <= 4; ++r) {
        Row w = row(r);
        if (w.marker.Visible()) {
            w.list.Width(width);
            w.list.Height(height);
        }
    }
}

bool Form8::any_row_enlarged()
{
    for (int r = 1; r <= 4; ++r)
        if (row(r).marker.Visible())
            return true;
    return false;
}

void Form8::enlarge(int r)
{
    // An Enlarge label still in view while another row is enlarged would pile the two up.
    if (any_row_enlarged())
        return;
    Row w = row(r);
    if (r != 1) {
        w.list.Move(kListLeft, kListTop[0], w.list.Width(), w.list.Height());
        w.title.Move(kTitleLeft, kLabelTop[0], w.title.Width(), w.title.Height());
        w.option.Move(kOptionLeft, kLabelTop[0], w.option.Width(), w.option.Height());
        w.count.Move(kCountLeft, kLabelTop[0], w.count.Width(), w.count.Height());
    }
    w.list.Height(kEnlargedListHeight);
    for (int other = 1; other <= 4; ++other)
        if (other != r) {
            row(other).list.Visible(false);
            row(other).title.Visible(false);
        }
    Label5.Visible(r == 1);
    Label16.Visible(false);
    Label9.Visible(r == 1);
    // The Back label takes row 1's Enlarge place: the two captions would run into each other.
    Label13.Visible(false);
    w.back.Move(kBackLeftEnlarged, kLabelTop[0], w.back.Width(), w.back.Height());
    w.back.Visible(true);
    w.marker.Visible(true);
}

void Form8::back(int r)
{
    Row w = row(r);
    w.marker.Visible(false);
    w.list.Move(kListLeft, kListTop[r - 1], kListWidth, kListHeight);
    w.title.Move(kTitleLeft, kLabelTop[r - 1], w.title.Width(), w.title.Height());
    w.option.Move(kOptionLeft, kLabelTop[r - 1], w.option.Width(), w.option.Height());
    w.count.Move(kCountLeft, kLabelTop[r - 1], w.count.Width(), w.count.Height());
    for (int other = 1; other <= 4; ++other)
        if (other != r) {
            row(other).list.Visible(true);
            row(other).title.Visible(true);
        }
    for (rt::Label* label : {&Label5, &Label16, &Label9, &Label13})
        label->Visible(true);
    place(w.back, kBackRest[r - 1]);
    w.back.Visible(true);
}

void Form8::Label13_Click() { enlarge(1); }
void Form8::Label14_Click() { enlarge(2); }
void Form8::Label15_Click() { enlarge(3); }
void Form8::Label16_Click() { enlarge(4); }
void Form8::Label17_Click() { back(1); }
void Form8::Label18_Click() { back(2); }
void Form8::Label19_Click() { back(3); }
void Form8::Label20_Click() { back(4); }

} // namespace pellmaris
