#include "tools/FormSearch.h"
#include <cstring>
#include <tuple>
#include "app/Program.h"
#include "runtime/errors.h"
#include "runtime/filesys.h"

namespace pellmaris {

namespace {

constexpr const char* kCaption = "Pellmaris file cleanup";
constexpr const char* kZeroLengthRow = "Zero Length Files";
constexpr const char* kAbortQuestion = "ABORT SEARCH AND RETURN TO SELECTION SCREEN";
constexpr const char* kStoppedMessage = "THE SEARCH STOPPED BEFORE IT FINISHED: RETURNING TO SELECTION SCREEN";
constexpr int kQuestion = rt::vbYesNo | rt::vbQuestion;      // 36
constexpr int kInstruction = rt::vbOKCancel | rt::vbCritical; // 17
constexpr long kPollMs = 100;
constexpr long kSlideStep = 5;
constexpr long kSlideFrames = 8;
constexpr DWORD kYieldEveryMs = 20;
constexpr long kFillTopHeight = 75, kFillBottomHeight = 315;
constexpr const char* kEol = "\r\n";

// A search that looked for zero length files hands over to the scanner that finds them on
// the drives searched.
void open_zero_length_scanner(Program& app, const std::vector<std::string>& drives) { app.Form12.open_scanner(drives); }

std::string failure_text(const std::string& what, const rt::RuntimeError& e)
{
    return what + kEol + "Error " + std::to_string(e.number()) + ": " + e.description();
}

// The selected rows of a list, and the text of them each followed by two blanks.
struct Selection {
    std::vector<std::string> rows;
    std::string text;
};

Selection selected_rows(rt::ListBox& list)
{
    Selection s;
    for (long i = 0; i < list.ListCount(); ++i)
        if (list.Selected(i)) {
            s.rows.push_back(list.List(i));
            s.text += list.List(i) + "  ";
        }
    return s;
}

void select_every_row(rt::ListBox& list, bool selected)
{
    for (long i = 0; i < list.ListCount(); ++i)
        list.Selected(i, selected);
    list.ListIndex(0);
}

} // namespace

FormSearch::FormSearch(Program& app) : rt::Form(app.sys, "FormSearch"), app(app)
{
    Command1.on_click = [this] { Command1_Click(); };
    Command2.on_click = [this] { Command2_Click(); };
    Command3.on_click = [this] { Command3_Click(); };
    Command4.on_click = [this] { Command4_Click(); };
    Command5.on_click = [this] { Command5_Click(); };
    Command6.on_click = [this] { Command6_Click(); };
    Command7.on_click = [this] { Command7_Click(); };
    Command8.on_click = [this] { Command8_Click(); };
    Timer1.on_timer = [this] { Timer1_Timer(); };
}

// A batch still listing a drive is not left behind by a window that goes away.
FormSearch::~FormSearch() { end_batch(); }

void FormSearch::design()
{
    Caption(kCaption);
    BorderStyle(rt::bsFixedSingle);
    ScaleSize(9615, 5670);
    LoadResourcePicture("SEARCH_BACK");

    const std::pair<rt::Label*, const char*> headings[] = {
        {&Label1, "SELECT THE EXTENTION(S) THAT YOU WANT TO SEARCH FOR"},
        {&Label2, "SELECT THE DRIVE(S) THAT YOU WANT TO SEARCH THROUGH"},
        {&Label3, "CUSTOM EXTENTIONS CAN BE ADDED OR REMOVED"},
        {&Label4, "SELECT THE START BUTTON TO SEARCH FOR FILES"},
    };
    const long heading_tops[] = {2040, 2280, 2520, 3000};
    for (int i = 0; i < 4; ++i) {
        headings[i].first->Move(2160, heading_tops[i], 5295, 255);
        headings[i].first->Caption(headings[i].second);
        headings[i].first->Alignment(2);
    }

    List1.Move(120, 1080, 1935, 3435);
    List1.MultiSelect(true);
    List2.Move(7560, 1080, 1935, 3435);
    List2.MultiSelect(true);

    const std::tuple<rt::CommandButton*, const char*, long, long, long, long> buttons[] = {
        {&Command1, "SELECT ALL", 120, 4680, 1935, 375},
        {&Command2, "DE-SELECT ALL", 120, 5040, 1935, 375},
        {&Command4, "SELECT ALL", 7560, 4680, 1935, 375},
        {&Command3, "DE-SELECT ALL", 7560, 5040, 1935, 375},
        {&Command5, "ADD CUSTOM EXTENTION", 2160, 1080, 2655, 375},
        {&Command6, "REMOVE CUSTOM EXTENTION", 2160, 1440, 2655, 375},
        {&Command7, "START SEARCH", 2280, 4680, 5055, 735},
        {&Command8, "ABORT SEARCH", 2280, 10800, 5055, 735},
    };
    for (const auto& [button, caption, left, top, width, height] : buttons) {
        button->Move(left, top, width, height);
        button->Caption(caption);
    }

    Label5.Move(240, 7200, 9015, 615);
    Label5.Caption("SEARCHING DRIVE(S)");
    Label6.Move(240, 7920, 9015, 615);
    Label6.Caption("SEARCHING FOR FILE(S) THAT ARE");
    ProgressLabelBack.Move(120, 9000, 9375, 495);
    ProgressLabelBack.BackColor(RGB(11, 31, 58));
    ProgressLabelTop.Move(120, 9000, 45, kFillTopHeight);
    ProgressLabelTop.BackColor(RGB(224, 224, 224));
    ProgressLabelBottom.Move(120, 9120, 45, kFillBottomHeight);
    ProgressLabelBottom.BackColor(RGB(0, 255, 0));

    Timer1.Interval(kPollMs);
    Timer1.Enabled(false);
}

std::vector<rt::Control*> FormSearch::screen_controls()
{
    std::vector<rt::Control*> found;
    for (rt::Control* c : controls())
        if (std::strcmp(c->kind(), "Timer") != 0)
            found.push_back(c);
    return found;
}

int FormSearch::ask(const std::string& text, int style) { return MsgBox(text, style, Caption()); }

void FormSearch::enable_controls(bool enabled)
{
    for (rt::Control* c : screen_controls())
        c->Enabled(enabled);
}

// The 5-twip steps are a third of a pixel each: the move is shown in a few frames, each
// painted at once; nothing else runs meanwhile.
void FormSearch::slide(int direction)
{
    const std::vector<rt::Control*> moving = screen_controls();
    std::vector<long> from;
    for (rt::Control* c : moving)
        from.push_back(c->Top());
    const long steps = Height() / kSlideStep;
    const HWND window = hWnd();
    for (long frame = 1; frame <= kSlideFrames; ++frame) {
        const long k = direction * kSlideStep * (steps * frame / kSlideFrames);
        for (size_t i = 0; i < moving.size(); ++i)
            moving[i]->Top(from[i] - k);
        RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    }
}

void FormSearch::Form_Load()
{
    List1.AddItem(kZeroLengthRow);
    for (const auto& extension : read_search_extensions(app.sys.path(kSearchExtensionsFile)))
        List1.AddItem(extension);
    rt::CurrentFolderKept kept;
    for (char letter = 'A'; letter <= 'Z'; ++letter) {
        probe_drive = std::string(1, letter);
        change_drive();
    }
    remove_mode = 0;
    search_state = 1;
}

void FormSearch::change_drive()
{
    try {
        rt::change_drive(probe_drive);
        List2.AddItem(probe_drive + ":\\");
    } catch (const rt::RuntimeError&) {
        // No such drive, or no medium in it: not offered.
    }
}

void FormSearch::Command1_Click() { select_every_row(List1, true); }
void FormSearch::Command2_Click() { select_every_row(List1, false); }
void FormSearch::Command4_Click() { select_every_row(List2, true); }
void FormSearch::Command3_Click() { select_every_row(List2, false); }

void FormSearch::Command5_Click()
{
    const auto answer = app.sys.dialogs->input_box_at("ENTER CUSTOM EXTENTION", Caption(), "", Left(), Top());
    if (!answer || answer->empty())
        return;
    const std::string& extension = *answer;
    List1.AddItem(extension);
    if (ask("DO YOU WANT TO SAVE THIS EXTENTION [ " + extension + " ] FOR USE NEXT TIME", kQuestion) != rt::vbYes)
        return;
    try {
        append_search_extension(app.sys.path(kSearchExtensionsFile), extension);
    } catch (const rt::RuntimeError& e) {
        ask(failure_text("THE EXTENTION [ " + extension + " ] COULD NOT BE SAVED FOR USE NEXT TIME", e),
            rt::vbCritical);
    }
}

void FormSearch::Command6_Click()
{
    if (remove_mode == 0) {
        for (long i = 0; i < List1.ListCount(); ++i)
            List1.Selected(i, false);
        if (ask("SELECT WHICH EXTENTIONS YOU WANT TO REMOVE PERMANANTLY AND RE-CLICK THIS BUTTON", kInstruction) !=
            rt::vbOK)
            return;
        remove_mode = 1;
        enable_controls(false);
        Command6.Enabled(true);
        List1.Enabled(true);
        return;
    }
    for (long i = List1.ListCount() - 1; i >= 1; --i)
        if (List1.Selected(i))
            List1.RemoveItem(i);
    std::vector<std::string> kept;
    for (long i = 1; i < List1.ListCount(); ++i)
        kept.push_back(List1.List(i));
    try {
        write_search_extensions(app.sys.path(kSearchExtensionsFile), kept);
    } catch (const rt::RuntimeError& e) {
        ask(failure_text("THE EXTENTION LIST COULD NOT BE SAVED", e), rt::vbCritical);
    }
    enable_controls(true);
    remove_mode = 0;
}

void FormSearch::Command7_Click()
{
    enable_controls(false);
    const Selection extensions = selected_rows(List1);
    const Selection drives = selected_rows(List2);
    if (extensions.rows.empty() || drives.rows.empty()) {
        ask(extensions.rows.empty() ? "NO FILE EXTENTIONS HAVE BEEN SELECTED TO SEARCH FOR"
                                    : "NO DRIVE(S) HAVE BEEN SELECTED TO SEARCH",
            rt::vbCritical);
        enable_controls(true);
        return;
    }
    if (!start_batch(drives.rows)) {
        enable_controls(true);
        return;
    }
    zero_length_asked_ = List1.Selected(0);
    Label5.Caption("SEARCHING DRIVE(S)  " + drives.text);
    Label6.Caption("SEARCHING FOR FILE(S) THAT ARE  " + extensions.text);
    slide(+1);
    Command8.Enabled(true);
    abort_search = 0;
    search_finished = 0;
    search_state = 2;
    progress_fill = "";
    show_progress(progress_fill);
    Timer1.Enabled(true);
}

// Empties the listing, writes the batch and starts it; false, after saying why, when any
// of that fails.
bool FormSearch::start_batch(const std::vector<std::string>& drive_rows)
{
    // An earlier search's batch could still write its end marker into this search's listing.
    end_batch();
    ++search_serial_;
    listing_.restart();
    const std::string results = app.sys.path(kSearchResultsFile);
    const std::string batch = app.sys.path(kSearchBatchFile);
    std::string step;
    try {
        step = "THE SEARCH LIST " + results + " COULD NOT BE EMPTIED";
        empty_file(results);
        step = "THE SEARCH FILE " + batch + " COULD NOT BE WRITTEN";
        write_search_batch(batch, drive_rows);
        step = "THE SEARCH FILE " + batch + " COULD NOT BE STARTED";
        batch_ = app.sys.ShellBatchHeld(kSearchBatchFile, rt::vbHide);
    } catch (const rt::RuntimeError& e) {
        ask(failure_text(step, e), rt::vbCritical);
        return false;
    }
    return true;
}

void FormSearch::end_batch()
{
    if (batch_)
        batch_->end();
    batch_.reset();
}

void FormSearch::Timer1_Timer()
{
    if (search_state != 2 || abort_search == 1) {
        Timer1.Enabled(false);
        return;
    }
    const unsigned serial = search_serial_;
    // Asked before the poll: a batch that had ended by then has written all it ever will.
    const bool batch_ended = batch_ && !batch_->running();
    check_if_search_is_finished();
    if (serial != search_serial_ || abort_search != 0)
        return;
    if (search_finished == 1)
        show_search_finished();
    else if (batch_ended && listing_read_)
        show_search_stopped();
}

// Without its end marker the listing is not complete, and no poll could ever end the wait.
void FormSearch::show_search_stopped()
{
    Timer1.Enabled(false);
    ask(kStoppedMessage, rt::vbCritical);
    return_to_selection();
}

void FormSearch::check_if_search_is_finished()
{
    const unsigned serial = search_serial_;
    const auto lines = listing_.read_new_lines(app.sys.path(kSearchResultsFile));
    listing_read_ = lines.has_value();
    if (!lines)
        return;   // no listing yet, or it cannot be read just now: the next poll tries again
    auto take = [this](const std::string& line) {
        if (is_end_marker(line)) {
            search_finished = 1;
            search_state = 3;
        }
    };
    // A long listing is read with the windows kept responsive, without a yield for every line.
    DWORD last_yield = GetTickCount();
    for (const auto& line : *lines) {
        take(line);
        if (GetTickCount() - last_yield < kYieldEveryMs)
            continue;
        DoEvents();
        last_yield = GetTickCount();
        if (serial != search_serial_ || abort_search == 1)
            return;   // aborted or replaced meanwhile: this listing is no longer ours
    }
    take(listing_.unfinished_line());
    advance_progress();
}

void FormSearch::advance_progress()
{
    if (ProgressLabelBottom.Width() >= ProgressLabelBack.Width())
        return;
    show_progress(progress_fill);
    progress_fill += " ";
}

// The fill strips take the width of their caption and keep their own height.
void FormSearch::show_progress(const std::string& fill)
{
    for (auto [label, height] : {std::pair{&ProgressLabelBottom, kFillBottomHeight},
                                 std::pair{&ProgressLabelTop, kFillTopHeight}}) {
        label->AutoSize(true);
        label->Caption(fill);
        label->Height(height);
    }
}

void FormSearch::show_search_finished()
{
    Timer1.Enabled(false);
    Label6.Visible(true);
    search_state = 3;
    if (zero_length_asked_)
        open_zero_length_scanner(app, selected_rows(List2).rows);   // the drive list is locked while searching
}

void FormSearch::Command8_Click()
{
    if (ask(kAbortQuestion, kQuestion) != rt::vbYes)
        return;
    return_to_selection();
}

void FormSearch::return_to_selection()
{
    abort_search = 1;
    search_state = 1;
    Timer1.Enabled(false);
    end_batch();
    enable_controls(false);
    slide(-1);
    enable_controls(true);
    Label6.Visible(false);
}

void FormSearch::Form_QueryUnload(int& cancel, int /*unload_mode*/)
{
    if (search_state != 2) {
        app.Form1.end_program();
        return;
    }
    // While searching the window stays: Yes goes back to the selection screen, No searches on.
    cancel = 1;
    if (ask(kAbortQuestion, kQuestion) != rt::vbYes)
        return;
    return_to_selection();
    Command8.Enabled(false);
}

} // namespace pellmaris
