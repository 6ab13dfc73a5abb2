// The cells of the Gamer, Internet and Temp columns: a click counts that area again, as its
// clean walks it, and lists by class the files that clean would delete.
#include "analysis/Form7.h"
#include <utility>
#include "app/Program.h"
#include "engine/clean_support.h"

namespace pellmaris {

namespace {

const COLORREF kSelected = rt::QBColor(2);
const COLORREF kNotSelected = rt::QBColor(4);

void show_option(rt::Label& label, bool selected)
{
    label.Caption(selected ? "Option SELECTED" : "Option NOT SELECTED");
    label.ForeColor(selected ? kSelected : kNotSelected);
}

void fill_list(rt::ListBox& list, const std::vector<std::string>& items)
{
    list.Clear();
    for (const std::string& item : items)
        list.AddItem(item);
}

std::string files_text(std::size_t count) { return std::to_string(count) + "  Files"; }

} // namespace

void Form7::Label13_Click() { count_area(kGamer); }
void Form7::Label18_Click() { count_area(kGamer); }
void Form7::Label23_Click() { count_area(kGamer); }
void Form7::Label28_Click() { count_area(kGamer); }
void Form7::Label33_Click() { count_area(kGamer); }
void Form7::Label14_Click() { count_area(kInternet); }
void Form7::Label19_Click() { count_area(kInternet); }
void Form7::Label24_Click() { count_area(kInternet); }
void Form7::Label29_Click() { count_area(kInternet); }
void Form7::Label34_Click() { count_area(kInternet); }
void Form7::Label15_Click() { count_area(kTemp); }
void Form7::Label20_Click() { count_area(kTemp); }
void Form7::Label25_Click() { count_area(kTemp); }
void Form7::Label30_Click() { count_area(kTemp); }
void Form7::Label35_Click() { count_area(kTemp); }

void Form7::count_area(Column column)
{
    if (app.Form1.clean.running) {
        // Never inside a clean: the click waits for its end.
        waiting_area_ = column;
        waiting_area_set_ = true;
        Timer3.Enabled(true);
        return;
    }
    app.Form8.Load();
    rule_ = clean_support::clean_rule(app);
    count_sections(column, 4, clicked_area_);
    show_form8();
}

void Form7::Timer3_Timer()
{
    if (app.Form1.clean.running)
        return;
    Timer3.Enabled(false);
    if (std::exchange(waiting_area_set_, false))
        count_area(waiting_area_);
}

void Form7::show_form8()
{
    for (rt::ProgressBar* bar : {&ProgressBar1, &ProgressBar2, &ProgressBar3})
        bar->Value(bar->Max());
    Form8& results = app.Form8;
    results.Label9.ForeColor(kSelected);
    show_option(results.Label10, force_read_only == 1);
    show_option(results.Label11, force_hidden == 1);
    show_option(results.Label12, force_read_only == 1 && force_hidden == 1);

    // A large area's lists take a while: the windows answer between the steps.
    ClassLists lists = class_lists(clicked_area_);
    app.sys.AnswerWhenDue();
    remove_first_matches(lists.plain_listing, {&lists.read_only, &lists.hidden, &lists.read_only_hidden});
    app.sys.AnswerWhenDue();
    fill_list(results.List1, lists.plain_listing);
    fill_list(results.List2, lists.read_only);
    fill_list(results.List3, lists.hidden);
    fill_list(results.List4, lists.read_only_hidden);
    app.sys.AnswerWhenDue();
    results.Label5.Caption(files_text(lists.plain_listing.size()));
    results.Label6.Caption(files_text(lists.read_only.size()));
    results.Label7.Caption(files_text(lists.hidden.size()));
    results.Label8.Caption(files_text(lists.read_only_hidden.size()));
    results.Show();
}

} // namespace pellmaris
