// ListBox: the strings live in a vector (no 32767 cap) that the program reads; the window
// is an owner-drawn list box holding the same rows as real strings, so that screen readers
// and other programs can read them. Edits reach the window at the next message: rows
// appended since are added, rows from the first edited one on are replaced.
#include <algorithm>
#include "runtime/errors.h"
#include "runtime/forms.h"
#include "runtime/forms_internal.h"

namespace rt {

void ListBox::create_window(HWND parent)
{
    DWORD style = WS_VSCROLL | WS_TABSTOP | LBS_NOTIFY | LBS_HASSTRINGS | LBS_OWNERDRAWFIXED | LBS_NOINTEGRALHEIGHT;
    if (multi_)
        style |= LBS_MULTIPLESEL;
    create_child(parent, "LISTBOX", nullptr, style, WS_EX_CLIENTEDGE);
    window_rows_ = 0;
    dirty_ = true;
    sync_window();
}

void ListBox::reset()
{
    Control::reset();
    items_.clear();
    selected_.clear();
    list_index_ = -1;
    top_index_ = 0;
    multi_ = false;
    dirty_ = false;
    window_rows_ = 0;
    fore_ = GetSysColor(COLOR_WINDOWTEXT);
    font_.reset();
}

void ListBox::changed()
{
    dirty_ = true;
    Parent().request_sync();
}

void ListBox::rows_changed_from(size_t row)
{
    window_rows_ = std::min(window_rows_, row);
    changed();
}

namespace {

// A long list reaches its window in pieces of about this many milliseconds, one piece per
// message, so that its thread answers between them.
constexpr uint64_t kRowsSlice = 50;
constexpr size_t kRowsBetweenClockLooks = 1024;

} // namespace

// The window's rows from window_rows_ on are replaced by the vector's; a list that is not
// there in whole stays dirty.
void ListBox::sync_rows()
{
    LRESULT held = SendMessageW(hwnd_, LB_GETCOUNT, 0, 0);
    size_t count = held > 0 ? static_cast<size_t>(held) : 0;
    if (window_rows_ == 0 && count > 0) {
        SendMessageW(hwnd_, LB_RESETCONTENT, 0, 0);
        count = 0;
    }
    while (count > window_rows_)
        SendMessageW(hwnd_, LB_DELETESTRING, --count, 0);
    if (items_.size() > count)
        SendMessageW(hwnd_, LB_INITSTORAGE, items_.size() - count, (items_.size() - count) * 64);
    const size_t first = count;
    const uint64_t started = GetTickCount64();
    for (; count < items_.size(); ++count) {
        if (count > first && (count - first) % kRowsBetweenClockLooks == 0 && GetTickCount64() - started >= kRowsSlice) {
            dirty_ = true;
            break;
        }
        const std::wstring row = wide_text(items_[count]);
        LRESULT added = SendMessageW(hwnd_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(row.c_str()));
        if (added == LB_ERR || added == LB_ERRSPACE)
            break;
    }
    window_rows_ = count;
}

void ListBox::sync_window()
{
    if (!hwnd_ || !dirty_)
        return;
    dirty_ = false;
    SendMessageW(hwnd_, WM_SETREDRAW, FALSE, 0);
    sync_rows();
    if (multi_) {
        SendMessageW(hwnd_, LB_SETSEL, FALSE, -1);
        for (size_t i = 0; i < selected_.size(); ++i)
            if (selected_[i])
                SendMessageW(hwnd_, LB_SETSEL, TRUE, static_cast<LPARAM>(i));
        if (list_index_ >= 0)
            SendMessageW(hwnd_, LB_SETCARETINDEX, list_index_, FALSE);
    } else {
        SendMessageW(hwnd_, LB_SETCURSEL, list_index_, 0);
    }
    if (top_index_ > 0 && top_index_ < ListCount())
        SendMessageW(hwnd_, LB_SETTOPINDEX, top_index_, 0);
    SendMessageW(hwnd_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(hwnd_, nullptr, TRUE);
    if (dirty_)
        Parent().request_sync();   // the next piece
}

void ListBox::read_selection_from_window()
{
    do
        sync_window();   // every piece: the selection is read from every row
    while (hwnd_ && dirty_);
    if (multi_) {
        std::fill(selected_.begin(), selected_.end(), 0);
        LRESULT count = SendMessageW(hwnd_, LB_GETSELCOUNT, 0, 0);
        if (count > 0) {
            std::vector<int> rows(static_cast<size_t>(count));
            count = SendMessageW(hwnd_, LB_GETSELITEMS, count, reinterpret_cast<LPARAM>(rows.data()));
            for (LRESULT i = 0; i < count; ++i)
                if (rows[i] >= 0 && static_cast<size_t>(rows[i]) < selected_.size())
                    selected_[rows[i]] = 1;
        }
        list_index_ = static_cast<long>(SendMessageW(hwnd_, LB_GETCARETINDEX, 0, 0));
    } else {
        list_index_ = static_cast<long>(SendMessageW(hwnd_, LB_GETCURSEL, 0, 0));
    }
    if (list_index_ >= ListCount())
        list_index_ = -1;
    top_index_ = static_cast<long>(SendMessageW(hwnd_, LB_GETTOPINDEX, 0, 0));
}

bool ListBox::handle_command(WPARAM wp, LPARAM)
{
    switch (HIWORD(wp)) {
    case LBN_SELCHANGE:
        read_selection_from_window();
        raise_event(on_click);
        return true;
    case LBN_DBLCLK:
        raise_event(on_dbl_click);
        return true;
    default: return false;
    }
}

// Wine's multiple-selection list changes a row under the space bar without telling its
// parent: a selection that the keys changed is the user's click all the same.
void ListBox::key_handled()
{
    if (!multi_ || !hwnd_)
        return;
    do
        sync_window();
    while (hwnd_ && dirty_);
    if (!window_selection_differs())
        return;
    read_selection_from_window();
    raise_event(on_click);
}

bool ListBox::window_selection_differs()
{
    for (size_t i = 0; i < selected_.size(); ++i)
        if ((SendMessageA(hwnd_, LB_GETSEL, i, 0) > 0) != (selected_[i] != 0))
            return true;
    return false;
}

void ListBox::measure_item(MEASUREITEMSTRUCT& m)
{
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font_.handle());
    TEXTMETRICW tm;
    GetTextMetricsW(dc, &tm);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    m.itemHeight = static_cast<UINT>(tm.tmHeight + 1);
}

bool ListBox::draw_item(const DRAWITEMSTRUCT& d)
{
    RECT r = d.rcItem;
    bool selected = (d.itemState & ODS_SELECTED) != 0;
    FillRect(d.hDC, &r, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    if (d.itemID != static_cast<UINT>(-1) && d.itemID < items_.size()) {
        const std::wstring text = wide_text(items_[d.itemID]);
        HGDIOBJ old = SelectObject(d.hDC, font_.handle());
        SetBkMode(d.hDC, TRANSPARENT);
        SetTextColor(d.hDC, selected ? GetSysColor(COLOR_HIGHLIGHTTEXT) : fore_);
        RECT text_rect = r;
        text_rect.left += 2;
        DrawTextW(d.hDC, text.c_str(), static_cast<int>(text.size()), &text_rect,
                  DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_EXPANDTABS);
        SelectObject(d.hDC, old);
    }
    if (d.itemState & ODS_FOCUS)
        DrawFocusRect(d.hDC, &r);
    return true;
}

void ListBox::check_index(long index, int error) const
{
    if (index < 0 || index >= static_cast<long>(items_.size()))
        raise(error);
}

void ListBox::AddItem(const std::string& item)
{
    touch();
    items_.push_back(item);
    selected_.push_back(0);
    changed();
}

void ListBox::AddItem(const std::string& item, long index)
{
    touch();
    if (index < 0 || index > static_cast<long>(items_.size()))
        raise(errInvalidCall);
    items_.insert(items_.begin() + index, item);
    selected_.insert(selected_.begin() + index, 0);
    if (list_index_ >= index)
        ++list_index_;
    rows_changed_from(static_cast<size_t>(index));
}

void ListBox::RemoveItem(long index)
{
    touch();
    check_index(index, errInvalidCall);
    items_.erase(items_.begin() + index);
    selected_.erase(selected_.begin() + index);
    if (list_index_ == index)
        list_index_ = -1;
    else if (list_index_ > index)
        --list_index_;
    rows_changed_from(static_cast<size_t>(index));
}

void ListBox::Clear()
{
    touch();
    items_.clear();
    selected_.clear();
    list_index_ = -1;
    top_index_ = 0;
    rows_changed_from(0);
}

std::string ListBox::List(long index)
{
    touch();
    if (index < 0 || index >= static_cast<long>(items_.size()))
        return {};
    return items_[static_cast<size_t>(index)];
}

void ListBox::List(long index, const std::string& item)
{
    touch();
    check_index(index, errInvalidIndex);
    items_[static_cast<size_t>(index)] = item;
    rows_changed_from(static_cast<size_t>(index));
}

long ListBox::ListCount()
{
    touch();
    return static_cast<long>(items_.size());
}

long ListBox::ListIndex()
{
    touch();
    return list_index_;
}

void ListBox::ListIndex(long i)
{
    touch();
    if (i < -1 || i >= static_cast<long>(items_.size()))
        raise(errInvalidProperty);
    list_index_ = i;
    changed();
}

bool ListBox::Selected(long i)
{
    touch();
    check_index(i, errInvalidIndex);
    return multi_ ? selected_[static_cast<size_t>(i)] != 0 : i == list_index_;
}

void ListBox::Selected(long i, bool s)
{
    touch();
    check_index(i, errInvalidIndex);
    if (multi_)
        selected_[static_cast<size_t>(i)] = s ? 1 : 0;
    else if (s)
        list_index_ = i;
    else if (list_index_ == i)
        list_index_ = -1;
    changed();
}

bool ListBox::MultiSelect()
{
    touch();
    return multi_;
}

void ListBox::MultiSelect(bool m)
{
    touch();
    if (m == multi_)
        return;
    multi_ = m;
    std::fill(selected_.begin(), selected_.end(), 0);
    if (hwnd_) {
        // The selection style belongs to the window: make it anew.
        HWND parent = GetParent(hwnd_);
        DestroyWindow(hwnd_);
        hwnd_ = nullptr;
        create_window(parent);
    }
}

long ListBox::TopIndex()
{
    touch();
    if (hwnd_ && !dirty_)
        return static_cast<long>(SendMessageW(hwnd_, LB_GETTOPINDEX, 0, 0));
    return top_index_;
}

void ListBox::TopIndex(long i)
{
    touch();
    top_index_ = std::max(0L, i);
    changed();
}

COLORREF ListBox::ForeColor()
{
    touch();
    return fore_;
}

void ListBox::ForeColor(COLORREF c)
{
    touch();
    fore_ = c;
    if (hwnd_)
        InvalidateRect(hwnd_, nullptr, TRUE);
}

void ListBox::Font(const std::string& name, int size_points, bool bold)
{
    touch();
    font_.release();
    font_.name = name;
    font_.size = size_points;
    font_.bold = bold;
    if (hwnd_) {
        MEASUREITEMSTRUCT m{};
        measure_item(m);
        SendMessageW(hwnd_, LB_SETITEMHEIGHT, 0, m.itemHeight);
        InvalidateRect(hwnd_, nullptr, TRUE);
    }
}

const std::vector<std::string>& ListBox::items()
{
    touch();
    return items_;
}

} // namespace rt
