// The main window's handlers and its default-theme layout.
#include <iterator>
#include <utility>
#include "mainwindow/Form1.h"
#include "app/Program.h"

namespace pellmaris {

namespace {

// The layout is drawn on a 96-dpi pixel grid (15 twips a pixel).
constexpr long px(long pixels) { return pixels * 15; }

// Palette of the default theme, matching the built-in pictures.
const COLORREF kWindowBack = RGB(0xE7, 0xF0, 0xF4);
const COLORREF kInk = RGB(0x0B, 0x1F, 0x3A);
const COLORREF kMuted = RGB(0x3C, 0x52, 0x6B);
const COLORREF kLink = RGB(0x0E, 0x6E, 0x7C);
const COLORREF kHeaderLink = RGB(0x5E, 0xE0, 0xD8);
const COLORREF kHeaderText = RGB(0xDC, 0xEB, 0xF2);
const COLORREF kAlert = RGB(0xB0, 0x3A, 0x2E);

const char* const kFont = "Tahoma";

// Left column of buttons and captions; the welcome panel lies to its right, which the
// narrow layout (window 8415 twips wide) leaves out. The version, the database caption
// and the header links sit in the right part of the header band, which every layout
// shows: the banner in the default theme, the skin's own header in the classic one.
constexpr long kButtonW = 150, kButtonH = 110;
constexpr long kColumn1 = 12, kColumn2 = 198, kColumn3 = 384;   // column 3 = the narrow layout's link column
constexpr long kRow1 = 72, kRow2 = 190;
constexpr long kInfoTop = 308;
constexpr long kPanelLeft = 566, kPanelWidth = 218;
constexpr long kHeaderLeft = 300, kHeaderRight = kColumn3 + kButtonW;   // inside the narrow window
constexpr long kHeaderRow1 = 8, kHeaderRow2 = 24, kHeaderRow3 = 40;

void style_text(rt::Label& label, const std::string& caption, COLORREF colour, int points = 8, bool bold = false)
{
    label.Caption(caption);
    label.Transparent(true);
    label.ForeColor(colour);
    label.Font(kFont, points, bold);
}

void style_link(rt::Label& label, const std::string& caption, const std::string& tip)
{
    style_text(label, caption, kLink, 9, true);
    label.ToolTipText(tip);
}

void place_button(rt::PictureBox& normal, rt::PictureBox& hover, const char* resource_base, long left, long top,
                  const std::string& tip)
{
    const std::string base = resource_base;
    for (rt::PictureBox* box : {&normal, &hover}) {
        box->Move(px(left), px(top), px(kButtonW), px(kButtonH));
        box->LoadResourcePicture(base + (box == &normal ? "_OFF" : "_ON"));
        box->ToolTipText(tip);
    }
    hover.Visible(false);
}

} // namespace

Form1::Form1(Program& program) : rt::Form(program.sys, "Form1"), app(program)
{
    Picture2.on_click = [this] { Picture2_Click(); };
    Picture4.on_click = [this] { Picture4_Click(); };
    Picture6.on_click = [this] { Picture6_Click(); };
    Picture8.on_click = [this] { Picture8_Click(); };
    Picture10.on_click = [this] { Picture10_Click(); };
    Picture12.on_click = [this] { Picture12_Click(); };
    // The keyboard reaches a picture button through its normal picture.
    for (auto [normal, hover] : {std::pair{&Picture1, &Picture2}, {&Picture3, &Picture4}, {&Picture5, &Picture6},
                                 {&Picture7, &Picture8}, {&Picture9, &Picture10}, {&Picture11, &Picture12}})
        normal->stands_for(*hover);

    Picture1.on_mouse_move = [this](int b, int s, float x, float y) { Picture1_MouseMove(b, s, x, y); };
    Picture3.on_mouse_move = [this](int b, int s, float x, float y) { Picture3_MouseMove(b, s, x, y); };
    Picture5.on_mouse_move = [this](int b, int s, float x, float y) { Picture5_MouseMove(b, s, x, y); };
    Picture7.on_mouse_move = [this](int b, int s, float x, float y) { Picture7_MouseMove(b, s, x, y); };
    Picture9.on_mouse_move = [this](int b, int s, float x, float y) { Picture9_MouseMove(b, s, x, y); };
    Picture11.on_mouse_move = [this](int b, int s, float x, float y) { Picture11_MouseMove(b, s, x, y); };
    Picture13.on_mouse_move = [this](int b, int s, float x, float y) { Picture13_MouseMove(b, s, x, y); };

    Label2.on_click = [this] { Label2_Click(); };
    Label6.on_click = [this] { Label6_Click(); };
    Label16.on_click = [this] { Label16_Click(); };
    Label17.on_click = [this] { Label17_Click(); };
    Label18.on_click = [this] { Label18_Click(); };
    Label20.on_click = [this] { Label20_Click(); };
    Label21.on_click = [this] { Label21_Click(); };

    Timer1.on_timer = [this] { Timer1_Timer(); };
    Timer2.on_timer = [this] { Timer2_Timer(); };
    Timer3.on_timer = [this] { Timer3_Timer(); };
    Timer4.on_timer = [this] { Timer4_Timer(); };
    on_registered_message("TaskbarCreated", [this] { explorer_restarted(); });
}

void Form1::design()
{
    Caption(rt::AppTitle);
    BorderStyle(rt::bsFixedSingle);
    BackColor(kWindowBack);
    SetIcon("1");
    Width(px(kPanelLeft + kPanelWidth + 14));
    Height(6075);

    // Banner across the top of the button column.
    Picture13.Move(0, 0, px(560), px(60));
    Picture13.LoadResourcePicture("BANNER_MAIN");

    // The five clean buttons: the normal picture, with its hover picture on top.
    place_button(Picture1, Picture2, "BTN_FULLCLEAN", kColumn1, kRow1, "Clean every selected area now");
    place_button(Picture3, Picture4, "BTN_GAMER", kColumn2, kRow1, "Clean the game and media leftovers");
    place_button(Picture5, Picture6, "BTN_INTERNET", kColumn3, kRow1, "Clean the browser caches and history");
    place_button(Picture7, Picture8, "BTN_TEMP", kColumn1, kRow2, "Clean the temporary files");
    place_button(Picture9, Picture10, "BTN_ADVANCED", kColumn2, kRow2, "Choose which areas a full clean covers");

    // The links beside the buttons: windows to open, then the web site.
    const struct {
        rt::Label& label;
        const char* caption;
        const char* tip;
    } links[] = {
        {Label16, "Settings", "How Pellmaris starts, cleans and looks"},
        {Label20, "Windows Tools", "Open the Windows maintenance tools"},
        {Label21, "System Status", "Memory, drives and running programs"},
        {Label18, "Feedback", "Tell us what you think"},
    };
    for (size_t i = 0; i < std::size(links); ++i) {
        style_link(links[i].label, links[i].caption, links[i].tip);
        links[i].label.Move(px(kColumn3 + 6), px(kRow2 + 2 + 18 * static_cast<long>(i)), px(140), px(17));
    }
    // The settings link of the classic and the narrow layouts, at the header's top right.
    style_link(Label17, "Settings", "How Pellmaris starts, cleans and looks");
    Label17.ForeColor(kHeaderLink);
    Label17.Alignment(1);
    Label17.Move(px(kHeaderRight - 90), px(kHeaderRow1), px(90), px(15));
    Label17.Visible(false);

    for (rt::PictureBox* box : {&Picture11, &Picture12}) {
        box->Move(px(kColumn3), px(kRow2 + kButtonH - 40), px(150), px(40));
        box->ToolTipText("Visit the Pellmaris web site");
    }
    Picture11.LoadResourcePicture("WEBLINK_OFF");
    Picture12.LoadResourcePicture("WEBLINK_ON");
    Picture12.Visible(false);

    // System information (filled at start-up) and the last full clean (filled at load).
    style_text(Label3, "Operating System = ", kMuted);
    style_text(Label4, "Version = ", kMuted);
    style_text(Label5, "Toatal Memory = ", kMuted);
    style_text(Label9, "Statistics", kInk, 9, true);
    style_text(Label7, "No Full Clean Done", kMuted);
    style_text(Label8, "No Full Clean Results", kMuted);
    style_text(Label10, "Space Freed Last Full Clean", kMuted);
    Label9.Move(px(kColumn1), px(kInfoTop), px(272), px(16));
    rt::Label* system_lines[] = {&Label3, &Label4, &Label5};
    rt::Label* clean_lines[] = {&Label7, &Label8, &Label10};
    for (int i = 0; i < 3; ++i) {
        system_lines[i]->Move(px(kColumn1), px(kInfoTop + 18 + 15 * i), px(272), px(15));
        clean_lines[i]->Move(px(290), px(kInfoTop + 18 + 15 * i), px(262), px(15));
    }

    // Welcome panel, with the version below the greeting.
    Frame1.Caption("Welcome");
    Frame1.Move(px(kPanelLeft), px(4), px(kPanelWidth), px(kInfoTop + 62));
    rt::Label* welcome_lines[] = {&Label12, &Label19, &Label22};
    for (int i = 0; i < 3; ++i) {
        style_text(*welcome_lines[i], "", kInk, 9);
        welcome_lines[i]->Container(&Frame1);
        welcome_lines[i]->Move(px(10), px(26 + 56 * i), px(kPanelWidth - 20), px(50));
    }
    // About the program, in the header band.
    style_text(Label15, "About", kHeaderText, 8, true);
    style_text(Label13, "Program Version ", kHeaderText);
    style_text(Label11, "Loaded External Database", kHeaderText);
    Label15.Move(px(kHeaderLeft), px(kHeaderRow1), px(100), px(15));
    Label13.Move(px(kHeaderLeft), px(kHeaderRow2), px(130), px(15));
    Label11.Move(px(kHeaderLeft), px(kHeaderRow3), px(kHeaderRight - kHeaderLeft), px(15));
    style_link(Label6, "Pellmaris online", "Visit the Pellmaris web site");
    Label6.ForeColor(kHeaderLink);
    Label6.Font(kFont, 8, true);
    Label6.Alignment(1);
    Label6.Move(px(kHeaderRight - 100), px(kHeaderRow2), px(100), px(15));

    // Shown only while a clean grows the window to 6975 twips.
    style_text(Label1, "DELETING FILE", kAlert, 8, true);
    Label1.Move(px(8), px(384), px(120), px(15));
    style_text(Label2, "", kInk);
    Label2.Move(px(8), px(400), px(kPanelLeft + kPanelWidth - 8), px(15));
    ProgressBar1.Move(px(8), px(418), px(kPanelLeft + kPanelWidth - 8), px(14));

    Timer1.Interval(0);
    Timer2.Interval(0);
    Timer3.Interval(60000);
    Timer3.Enabled(true);
    Timer4.Interval(60000);
    Timer4.Enabled(false);
}

} // namespace pellmaris
