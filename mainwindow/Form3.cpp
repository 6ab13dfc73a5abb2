// The area-selection window: the lists and their restore, the group logic, the ways out,
// and the Recycle Bin clean-up.
#include "mainwindow/Form3.h"
#include <cstdint>
#include <vector>
#include "common/area_options.h"
#include "common/error_log.h"
#include "common/paths.h"
#include "common/settings_file.h"
#include "app/Program.h"
#include "mainwindow/link_highlight.h"
#include "runtime/errors.h"
#include "runtime/filesys.h"
#include "runtime/textfile.h"

namespace pellmaris {

namespace {

constexpr std::size_t kAreaRowsWithoutOwnLocations = 12;

const char* const kAreasNotSaved = "The chosen areas and options could not be saved";
const char* const kAreasKept = "The cleans go on with the areas chosen before.";
const char* const kRecycleBinUnknown =
    "The size of the Recycle Bin could not be read, so it is left as it is.";

bool is_item_row(const std::string& caption) { return !caption.empty() && caption[0] == ' '; }

std::vector<bool> selection_of(rt::ListBox& list)
{
    std::vector<bool> rows;
    for (long i = 0; i < list.ListCount(); ++i)
        rows.push_back(list.Selected(i));
    return rows;
}

// The question of the clean-up; at 2^31 bytes and more it no longer tells the number.
std::string recycle_bin_question(int64_t bytes)
{
    const char* const ask = "\r\nDo you want to empty it?";
    if (bytes >= (int64_t{1} << 31))
        return std::string("Your Recycle Bin consumes over 2 gigabytes right now!") + ask;
    return "Your Recycle Bin consumes " + std::to_string(bytes) + " bytes right now." + ask;
}

} // namespace

Form3::Form3(Program& program) : rt::Form(program.sys, "Form3"), app(program)
{
    Label1.on_click = [this] { Label1_Click(); };
    Label2.on_click = [this] { Label2_Click(); };
    Label5.on_click = [this] { Label5_Click(); };
    Label6.on_click = [this] { Label6_Click(); };
    Label7.on_click = [this] { Label7_Click(); };
    Picture2.on_click = [this] { Picture2_Click(); };
    Picture1.stands_for(Picture2);   // the keyboard's way to the back button
    List1.on_click = [this] { List1_Click(); };
    Label1.on_mouse_move = [this](int b, int s, float x, float y) { Label1_MouseMove(b, s, x, y); };
    Label2.on_mouse_move = [this](int b, int s, float x, float y) { Label2_MouseMove(b, s, x, y); };
    List1.on_mouse_move = [this](int b, int s, float x, float y) { List1_MouseMove(b, s, x, y); };
    Picture1.on_mouse_move = [this](int b, int s, float x, float y) { Picture1_MouseMove(b, s, x, y); };
}

// ---- load ----

void Form3::Form_Load()
{
    if (read_settings(sys().path(kSettingsFile)).is(kClassicTheme, 1))
        apply_classic_layout();
    app.Form2.List1.Clear();
    app.Form1.Caption(std::string(rt::AppTitle) + "        Version " + rt::version_text());
    fill_lists();
    restore_selection();
}

void Form3::fill_lists()
{
    for (std::size_t i = 0; i < kAreaRowsWithoutOwnLocations; ++i)
        List1.AddItem(AreaList[i]);
    // Any spelling of the name: the file system does not tell them apart.
    if (rt::file_exists(sys().path(kUserLocationsFile)))
        List1.AddItem(AreaList[kRowUserOwnLocations - 1]);
    for (const std::string& option : OptionList)
        List2.AddItem(option);
}

// Flags beyond the rows (a 13th without the own-locations row) have no row and are passed over.
void Form3::restore_selection()
{
    restore_flags();
    area_selection_seen_ = selection_of(List1);
}

void Form3::restore_flags()
{
    const std::string path = sys().path(kAreaOptionsFile);
    try {
        rt::TextFile probe(path, rt::TextFile::Input);
    } catch (const rt::RuntimeError& e) {
        select_every_area();
        append_error_log(sys().path(kErrorLogFile), kLogForm3Load, e, sys().clock->now());
        return;
    }
    const AreaFlags flags = read_area_flags(path);
    for (long row = 0; row < List1.ListCount(); ++row)
        List1.Selected(row, flags.area(row + 1));
    for (long row = 0; row < List2.ListCount(); ++row)
        List2.Selected(row, flags.option(row + 1));
}

void Form3::select_every_area()
{
    for (long row = 0; row < List1.ListCount(); ++row)
        List1.Selected(row, true);
    List1.ListIndex(0);
}

// ---- pmdb.lst and the ways out ----

bool Form3::write_area_options_file()
{
    std::array<bool, 4> options{};
    for (std::size_t i = 0; i < options.size(); ++i)
        options[i] = List2.Selected(static_cast<long>(i));
    try {
        write_area_options(sys().path(kAreaOptionsFile), selection_of(List1), options);
        return true;
    } catch (const rt::RuntimeError& e) {
        MsgBox(std::string(kAreasNotSaved) + " (" + e.description() + ").\r\n" + kAreasKept, rt::vbExclamation,
               rt::AppTitle);
        return false;
    }
}

void Form3::Form_Unload(int& /*cancel*/)
{
    rt::Form& next = shown_after_unload_ ? *shown_after_unload_ : app.Form1;
    shown_after_unload_ = nullptr;
    next.Show();
    write_area_options_file();
}

// Inside a handler the unload waits for the handler's end; the window it shows is chosen now.
void Form3::close_to(rt::Form& next)
{
    shown_after_unload_ = &next;
    Unload();
}

// The editor takes the main window's place; closing it brings this window back.
void Form3::Label1_Click()
{
    close_to(app.Form6);
    app.Form1.Hide();
}

void Form3::Label7_Click() { close_to(app.Form1); }
void Form3::Picture2_Click() { close_to(app.Form1); }

// An analysis of areas that could not be saved would count the old ones: it stays closed.
void Form3::Label2_Click()
{
    if (!write_area_options_file())
        return;
    open_drive_analysis(app);
    app.info1.show_if_enabled();
}

void Form3::Label6_Click() { open_file_search(app); }

// ---- the group logic: a header takes its items along, an item its header ----

// The list also tells of a move of its caret by the arrow keys: only a row the user
// selected or cleared runs the group logic.
void Form3::List1_Click()
{
    const long row = List1.ListIndex();
    if (row < 0 || selection_of(List1) == area_selection_seen_)
        return;
    if (!is_item_row(List1.List(row))) {
        const bool on = List1.Selected(row);
        for (long i = row + 1; is_item_row(List1.List(i)); ++i)
            List1.Selected(i, on);
    } else if (List1.Selected(row)) {
        long header = row - 1;
        while (header >= 0 && is_item_row(List1.List(header)))
            --header;
        if (header >= 0)
            List1.Selected(header, true);
    }
    List1.ListIndex(row);
    area_selection_seen_ = selection_of(List1);
}

// ---- Recycle Bin ----

void Form3::Label5_Click()
{
    int64_t bytes = 0, items = 0;
    if (FAILED(sys().recycle_bin->query("", bytes, items)) || bytes < 0) {
        MsgBox(kRecycleBinUnknown, rt::vbExclamation, rt::AppTitle);
        return;
    }
    if (MsgBox(recycle_bin_question(bytes), rt::vbYesNo + rt::vbQuestion, rt::AppTitle) != rt::vbYes)
        return;
    sys().recycle_bin->empty(hWnd(), "", 0);
    sys().recycle_bin->update_icon();
}

// ---- highlights ----

void Form3::reset_label_highlight()
{
    normal_link(Label1);
    normal_link(Label2);
}

void Form3::Label1_MouseMove(int, int, float, float)
{
    highlight_link(Label1);
    normal_link(Label2);
}

void Form3::Label2_MouseMove(int, int, float, float)
{
    highlight_link(Label2);
    normal_link(Label1);
}

void Form3::List1_MouseMove(int, int, float, float) { reset_label_highlight(); }

void Form3::Picture1_MouseMove(int, int, float, float)
{
    reset_label_highlight();
    Picture2.Visible(true);
}

void Form3::Form_MouseMove(int, int, float, float)
{
    Picture2.Visible(false);
    reset_label_highlight();
}

} // namespace pellmaris
