// The area-selection window's default layout and its classic layout.
#include "common/paths.h"
#include "app/Program.h"
#include "mainwindow/Form3.h"
#include "mainwindow/default_theme.h"
#include "runtime/errors.h"

namespace pellmaris {

using theme::px;

namespace {

constexpr long kColumn2 = 330, kColumnWidth = 297;
constexpr long kClassicMargin = 60;

} // namespace

void Form3::design()
{
    theme::dress_window(*this, 643, 330);

    List1.MultiSelect(true);
    List1.Move(px(16), px(16), px(300), px(250));
    List1.Font(theme::kFont, 8);
    List2.MultiSelect(true);
    List2.Move(px(kColumn2), px(16), px(kColumnWidth), px(70));
    List2.Font(theme::kFont, 8);

    theme::place_label(Label1, "Build / Add  / Amend a Custom List", kColumn2, 104, kColumnWidth, 18);
    theme::place_label(Label3,
                "Custom List are only  Cleaned using the Full Clean Option and USER OWN LOCATIONS is Selected in the "
                "List",
                kColumn2, 126, kColumnWidth, 44);
    Label3.ForeColor(theme::kMuted);
    theme::place_label(Label2, "Analyse Drive(s)", kColumn2, 184, kColumnWidth, 18);
    theme::place_label(Label5, "Recycle Bin Clean Up", kColumn2, 214, kColumnWidth, 18);
    theme::place_label(Label6, "Find 0.0KB Files", kColumn2, 244, kColumnWidth, 18);
    for (rt::Label* link : {&Label1, &Label2, &Label5, &Label6})
        link->ToolTipText(link->Caption());

    for (rt::PictureBox* box : {&Picture1, &Picture2}) {
        box->Move(px(16), px(282), px(120), px(34));
        box->LoadResourcePicture(box == &Picture1 ? "BACK_OFF" : "BACK_ON");
        box->ToolTipText("Back to the main window");
    }
    Picture2.Visible(false);

    // Lies over the back mark of the classic skin.
    Label7.Move(7500, 4740, 1800, 510);
    Label7.Transparent(true);
    Label7.Visible(false);
}

// The classic skin's picture, geometry and labels; a missing picture leaves the plain window.
void Form3::apply_classic_layout()
{
    try {
        LoadPicture(sys().path(std::string(kSkinFolder) + "\\advancedgui.jpg"));
    } catch (const rt::RuntimeError&) {
    }
    Width(9650);
    Height(6000);
    Picture1.Visible(false);
    Picture2.Visible(false);
    List1.Top(1800);
    List1.Height(2800);
    List2.Move(240, 4700, 4095, 950);
    // The frame takes more or less of the height on each system: the window grows until the
    // option list shows whole.
    const long short_by = List2.Top() + List2.Height() + kClassicMargin - ScaleHeight();
    if (short_by > 0)
        Height(Height() + short_by);
    for (rt::Label* label : {&Label1, &Label2, &Label3, &Label5, &Label6})
        label->Visible(false);
    Label7.Visible(true);
}

} // namespace pellmaris
