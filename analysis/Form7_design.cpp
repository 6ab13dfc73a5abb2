// The analysis window's layout and the binding of its events.
#include "analysis/Form7.h"
#include "app/Program.h"
#include "runtime/errors.h"

namespace pellmaris {

namespace {

constexpr long kClientWidth = 9615, kClientHeight = 6690;
constexpr long kCellWidth = 1335, kCellHeight = 495;
constexpr long kFirstCellLeft = 1920, kCellPitch = 1560;
constexpr long kFirstRowTop = 3120, kRowPitch = 720;
constexpr long kHeadLeft = 120, kRowHeadWidth = 1695, kRowHeadHeight = 615;
constexpr long kColumnHeadTop = 2520, kColumnHeadHeight = 375;
constexpr long kBarLeft = 1560, kBarWidth = 7935, kBarHeight = 255, kBarNameWidth = 1335;

const COLORREF kCellBack = RGB(255, 255, 255);
const COLORREF kInk = RGB(0x0B, 0x1F, 0x3A);

const char* const kRowHeads[] = {
    "Total Space which could be freed with current Selection",
    "Space which could   be freed with all selections made",
    "Total Space taken by ReadOnly files",
    "Total Space taken by Hidden files",
    "Total Space taken by ReadOnly/Hidden",
};
const char* const kColumnHeads[] = {
    "Gamer Locations", "Temporary Internet Files", "Temporary Locations", "User Own Locations", "Full Clean Locations",
};

void style(rt::Label& label, const std::string& caption, long left, long top, long width, long height)
{
    label.Caption(caption);
    label.Move(left, top, width, height);
    label.Font("Tahoma", 8);
    label.ForeColor(kInk);
}

} // namespace

Form7::Form7(Program& program) : rt::Form(program.sys, "Form7"), app(program)
{
    Timer1.on_timer = [this] { Timer1_Timer(); };
    Timer2.on_timer = [this] { Timer2_Timer(); };
    Timer3.on_timer = [this] { Timer3_Timer(); };
    Label13.on_click = [this] { Label13_Click(); };
    Label18.on_click = [this] { Label18_Click(); };
    Label23.on_click = [this] { Label23_Click(); };
    Label28.on_click = [this] { Label28_Click(); };
    Label33.on_click = [this] { Label33_Click(); };
    Label14.on_click = [this] { Label14_Click(); };
    Label19.on_click = [this] { Label19_Click(); };
    Label24.on_click = [this] { Label24_Click(); };
    Label29.on_click = [this] { Label29_Click(); };
    Label34.on_click = [this] { Label34_Click(); };
    Label15.on_click = [this] { Label15_Click(); };
    Label20.on_click = [this] { Label20_Click(); };
    Label25.on_click = [this] { Label25_Click(); };
    Label30.on_click = [this] { Label30_Click(); };
    Label35.on_click = [this] { Label35_Click(); };
}

rt::Label& Form7::cell(int row, int column)
{
    rt::Label* const grid[kRows * kColumns] = {
        &Label13, &Label14, &Label15, &Label16, &Label17, &Label18, &Label19, &Label20, &Label21,
        &Label22, &Label23, &Label24, &Label25, &Label26, &Label27, &Label28, &Label29, &Label30,
        &Label31, &Label32, &Label33, &Label34, &Label35, &Label36, &Label37,
    };
    if (row < 0 || row >= kRows || column < 0 || column >= kColumns)
        rt::raise(rt::errSubscript);
    return *grid[row * kColumns + column];
}

void Form7::design()
{
    Caption(rt::AppTitle);
    BorderStyle(rt::bsFixedSingle);
    ScaleSize(kClientWidth, kClientHeight);
    try {
        LoadResourcePicture("BANNER_ANALYSIS");   // the banner above the bars
    } catch (const rt::RuntimeError&) {
    }

    Timer1.Interval(1000);
    Timer1.Enabled(false);
    Timer2.Interval(1000);
    Timer2.Enabled(false);
    Timer3.Interval(250);
    Timer3.Enabled(false);

    const char* const bar_names[] = {"Overall Complete", "Location Complete", "Area Complete"};
    rt::Label* const bar_labels[] = {&Label1, &Label2, &Label3};
    rt::ProgressBar* const bars[] = {&ProgressBar1, &ProgressBar2, &ProgressBar3};
    for (int i = 0; i < 3; ++i) {
        const long top = 1200 + 360 * i;
        style(*bar_labels[i], bar_names[i], kHeadLeft, top, kBarNameWidth, 255);
        bar_labels[i]->Font("Tahoma", 7);   // the narrow place holds the name on one line
        bars[i]->Move(kBarLeft, top, kBarWidth, kBarHeight);
    }

    rt::Label* const row_heads[] = {&Label4, &Label5, &Label6, &Label7, &Label38};
    for (int r = 0; r < kRows; ++r)
        style(*row_heads[r], kRowHeads[r], kHeadLeft, kFirstRowTop + kRowPitch * r, kRowHeadWidth, kRowHeadHeight);
    rt::Label* const column_heads[] = {&Label8, &Label9, &Label10, &Label11, &Label12};
    for (int c = 0; c < kColumns; ++c) {
        style(*column_heads[c], kColumnHeads[c], kFirstCellLeft + kCellPitch * c, kColumnHeadTop, kCellWidth,
              kColumnHeadHeight);
        column_heads[c]->Alignment(2);
        column_heads[c]->FontBold(true);
    }
    style(Label39, "CLICK AN AREA TO VIEW FILES", kHeadLeft, kColumnHeadTop, kRowHeadWidth, kColumnHeadHeight);
    Label39.FontBold(true);

    for (int r = 0; r < kRows; ++r)
        for (int c = 0; c < kColumns; ++c) {
            rt::Label& label = cell(r, c);
            style(label, "", kFirstCellLeft + kCellPitch * c, kFirstRowTop + kRowPitch * r, kCellWidth, kCellHeight);
            label.Alignment(2);
            label.Transparent(false);
            label.BackColor(kCellBack);
            if (c <= kTemp)
                label.ToolTipText("Click to view files");
        }
    // The User column shows once the run has counted it.
    Label11.Visible(false);
    for (int r = 0; r < kRows; ++r)
        cell(r, kUser).Visible(false);
}

} // namespace pellmaris
