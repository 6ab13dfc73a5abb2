#include "tools/SearchSplash.h"
#include "app/Program.h"

namespace pellmaris {

namespace {

constexpr long kRightMargin = 200;
const COLORREF kOlive = RGB(128, 128, 0);

} // namespace

SearchSplash::SearchSplash(Program& app) : rt::Form(app.sys, "SearchSplash"), app(app)
{
    Label4.on_change = [this] { Label4_Change(); };
    Label5.on_change = [this] { Label5_Change(); };
    Label6.on_change = [this] { Label6_Change(); };
}

void SearchSplash::design()
{
    designing_ = true;
    BorderStyle(rt::bsNone);
    ShowInTaskbar(false);
    ScaleSize(2820, 915);
    const std::pair<rt::Label*, const char*> headings[] = {
        {&Label1, "FILENAME"}, {&Label2, "FILE LOCATION"}, {&Label3, "FILE SIZE"}};
    long top = 120;
    for (auto [label, caption] : headings) {
        label->Move(120, top, 1575, 255);
        label->Caption(caption);
        top += 240;
    }
    top = 120;
    for (rt::Label* value : {&Label4, &Label5, &Label6}) {
        value->Move(1920, top, 795, 195);
        value->Caption("FILENAME");
        value->AutoSize(true);
        top += 240;
    }
    Label2.ForeColor(kOlive);
    Label5.ForeColor(kOlive);
    designing_ = false;
}

void SearchSplash::Label4_Change() { fit_width_to(Label4, Label5, Label6); }
void SearchSplash::Label5_Change() { fit_width_to(Label5, Label4, Label6); }
void SearchSplash::Label6_Change() { fit_width_to(Label6, Label4, Label5); }

// The widest value, ties included, sets the window's width; a narrower one leaves it.
void SearchSplash::fit_width_to(rt::Label& changed, rt::Label& other1, rt::Label& other2)
{
    if (designing_)
        return;
    const long width = changed.Width();
    if (width < other1.Width() || width < other2.Width())
        return;
    Width(changed.Left() + width + kRightMargin);
}

void SearchSplash::show_file(const std::string& name, const std::string& location, const std::string& size)
{
    Label4.Caption(name);
    Label5.Caption(location);
    Label6.Caption(size);
    Show();
    // The shadow reads this window's place and size when it loads.
    app.FrmShadow.Unload();
    app.FrmShadow.Show();
    ZOrderTop();
}

} // namespace pellmaris
