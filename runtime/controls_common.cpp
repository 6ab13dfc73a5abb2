// Scroll bar, timer, and the common controls: progress bar, slider, tab strip, animation.
#include <windows.h>
#include <commctrl.h>
#include <algorithm>
#include "runtime/errors.h"
#include "runtime/forms.h"
#include "runtime/forms_internal.h"

namespace rt {

// ---- VScrollBar ----

void VScrollBar::create_window(HWND parent)
{
    create_child(parent, "SCROLLBAR", nullptr, SBS_VERT);
    update_window();
}

void VScrollBar::reset()
{
    Control::reset();
    min_ = 0;
    max_ = 32767;
    value_ = 0;
    small_ = 1;
    large_ = 1;
}

long VScrollBar::clamp(long v) const
{
    return std::clamp(v, std::min(min_, max_), std::max(min_, max_));
}

void VScrollBar::update_window()
{
    if (!hwnd_)
        return;
    SCROLLINFO si{};
    si.cbSize = sizeof(si);
    si.fMask = SIF_RANGE | SIF_POS | SIF_DISABLENOSCROLL;
    si.nMin = std::min(min_, max_);
    si.nMax = std::max(min_, max_);
    si.nPos = value_;
    SetScrollInfo(hwnd_, SB_CTL, &si, TRUE);
}

long VScrollBar::Min() { touch(); return min_; }
void VScrollBar::Min(long v) { touch(); min_ = v; value_ = clamp(value_); update_window(); }
long VScrollBar::Max() { touch(); return max_; }
void VScrollBar::Max(long v) { touch(); max_ = v; value_ = clamp(value_); update_window(); }
long VScrollBar::Value() { touch(); return value_; }

void VScrollBar::Value(long v)
{
    touch();
    if (v != clamp(v))
        raise(errInvalidProperty);
    if (v == value_)
        return;
    value_ = v;
    update_window();
    raise_from_code(on_change);
}

long VScrollBar::SmallChange() { touch(); return small_; }
void VScrollBar::SmallChange(long v) { touch(); small_ = v; }
long VScrollBar::LargeChange() { touch(); return large_; }
void VScrollBar::LargeChange(long v) { touch(); large_ = v; }

bool VScrollBar::handle_scroll(int code)
{
    long lo = std::min(min_, max_), hi = std::max(min_, max_);
    long v = value_;
    switch (code) {
    case SB_LINEUP: v -= small_; break;
    case SB_LINEDOWN: v += small_; break;
    case SB_PAGEUP: v -= large_; break;
    case SB_PAGEDOWN: v += large_; break;
    case SB_TOP: v = lo; break;
    case SB_BOTTOM: v = hi; break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
        SCROLLINFO si{};
        si.cbSize = sizeof(si);
        si.fMask = SIF_TRACKPOS;
        GetScrollInfo(hwnd_, SB_CTL, &si);
        v = si.nTrackPos;
        break;
    }
    default: return true;
    }
    v = clamp(v);
    bool moved = v != value_;
    value_ = v;
    update_window();
    if (code == SB_THUMBTRACK) {
        if (moved)
            raise_event(on_scroll);
    } else if (moved || code == SB_THUMBPOSITION) {
        raise_event(on_change);
    }
    return true;
}

// ---- Timer ----

void Timer::create_window(HWND) { rearm(); }

void Timer::reset()
{
    Control::reset();
    interval_ = 0;
    timer_enabled_ = true;
    running_ = false;
}

void Timer::rearm()
{
    if (!Parent().is_loaded())
        return;
    HWND owner = Parent().hWnd();
    if (!owner)
        return;
    KillTimer(owner, static_cast<UINT_PTR>(id()));
    if (timer_enabled_ && interval_ > 0)
        SetTimer(owner, static_cast<UINT_PTR>(id()), static_cast<UINT>(interval_), nullptr);
}

long Timer::Interval() { touch(); return interval_; }

void Timer::Interval(long ms)
{
    touch();
    if (ms < 0)
        raise(errInvalidProperty);
    interval_ = ms;
    rearm();
}

bool Timer::Enabled() { touch(); return timer_enabled_; }

void Timer::Enabled(bool e)
{
    touch();
    timer_enabled_ = e;
    rearm();
}

void Timer::fire()
{
    if (running_ || !timer_enabled_ || interval_ <= 0)
        return;
    running_ = true;
    raise_event(on_timer);
    running_ = false;
}

// ---- ProgressBar ----

void ProgressBar::create_window(HWND parent)
{
    create_child(parent, PROGRESS_CLASSA, nullptr, 0);
    update_window();
}

void ProgressBar::reset()
{
    Control::reset();
    min_ = 0;
    max_ = 100;
    value_ = 0;
}

// An empty range shows an empty bar.
void ProgressBar::update_window()
{
    if (!hwnd_)
        return;
    long lo = std::min(min_, max_), hi = std::max(min_, max_);
    if (lo == hi)
        ++hi;
    SendMessageW(hwnd_, PBM_SETRANGE32, lo, hi);
    SendMessageW(hwnd_, PBM_SETPOS, value_, 0);
}

long ProgressBar::Min() { touch(); return min_; }
long ProgressBar::Max() { touch(); return max_; }
long ProgressBar::Value() { touch(); return value_; }

namespace {

long clamp_to(long v, long a, long b) { return std::clamp(v, std::min(a, b), std::max(a, b)); }

} // namespace

void ProgressBar::Min(long v)
{
    touch();
    min_ = v;
    value_ = clamp_to(value_, min_, max_);
    update_window();
}

void ProgressBar::Max(long v)
{
    touch();
    max_ = v;
    value_ = clamp_to(value_, min_, max_);
    update_window();
}

void ProgressBar::Value(long v)
{
    touch();
    value_ = clamp_to(v, min_, max_);
    update_window();
}

// ---- Slider ----

void Slider::create_window(HWND parent)
{
    create_child(parent, TRACKBAR_CLASSA, nullptr, TBS_HORZ | TBS_AUTOTICKS | WS_TABSTOP);
    update_window();
}

void Slider::reset()
{
    Control::reset();
    min_ = 0;
    max_ = 10;
    value_ = 0;
    tick_ = 1;
}

void Slider::update_window()
{
    if (!hwnd_)
        return;
    SendMessageW(hwnd_, TBM_SETRANGEMIN, FALSE, std::min(min_, max_));
    SendMessageW(hwnd_, TBM_SETRANGEMAX, FALSE, std::max(min_, max_));
    SendMessageW(hwnd_, TBM_SETTICFREQ, std::max(1L, tick_), 0);
    SendMessageW(hwnd_, TBM_SETPOS, TRUE, value_);
}

long Slider::Min() { touch(); return min_; }
long Slider::Max() { touch(); return max_; }
long Slider::Value() { touch(); return value_; }
long Slider::TickFrequency() { touch(); return tick_; }

void Slider::Min(long v)
{
    touch();
    min_ = v;
    value_ = clamp_to(value_, min_, max_);
    update_window();
}

void Slider::Max(long v)
{
    touch();
    max_ = v;
    value_ = clamp_to(value_, min_, max_);
    update_window();
}

void Slider::Value(long v)
{
    touch();
    v = clamp_to(v, min_, max_);
    if (v == value_)
        return;
    value_ = v;
    update_window();
    raise_from_code(on_change);
}

void Slider::TickFrequency(long v)
{
    touch();
    tick_ = v;
    update_window();
}

HBRUSH Slider::control_color(HDC dc) { return Parent().background_brush(dc); }

bool Slider::handle_notify(NMHDR*) { return false; }

bool Slider::handle_scroll(int code)
{
    long v = static_cast<long>(SendMessageW(hwnd_, TBM_GETPOS, 0, 0));
    if (v != value_) {
        value_ = v;
        raise_event(on_change);
    }
    if (code == TB_ENDTRACK && Parent().is_loaded())
        raise_event(on_click);
    return true;
}

// ---- TabStrip ----

namespace {

void insert_tab(HWND tabs, size_t index, const std::string& caption)
{
    std::wstring text = wide_text(caption);
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = text.data();
    SendMessageW(tabs, TCM_INSERTITEMW, index, reinterpret_cast<LPARAM>(&item));
}

// Opens an AVI file in the animation window; false when it cannot.
bool open_animation(HWND animation, const std::string& path)
{
    const std::wstring wide = wide_text(path);
    return SendMessageW(animation, ACM_OPENW, 0, reinterpret_cast<LPARAM>(wide.c_str())) != 0;
}

} // namespace

void TabStrip::create_window(HWND parent)
{
    create_child(parent, WC_TABCONTROLA, nullptr, WS_TABSTOP);
    for (size_t i = 0; i < tabs_.size(); ++i)
        insert_tab(hwnd_, i, tabs_[i]);
    SendMessageW(hwnd_, TCM_SETCURSEL, selected_, 0);
}

void TabStrip::reset()
{
    Control::reset();
    tabs_.clear();
    selected_ = 0;
}

void TabStrip::AddTab(const std::string& caption)
{
    touch();
    tabs_.push_back(caption);
    if (hwnd_)
        insert_tab(hwnd_, tabs_.size() - 1, tabs_.back());
}

long TabStrip::SelectedIndex() { touch(); return selected_; }

void TabStrip::SelectedIndex(long i)
{
    touch();
    if (i < 0 || i >= static_cast<long>(tabs_.size()))
        raise(errInvalidProperty);
    selected_ = i;
    if (hwnd_)
        SendMessageW(hwnd_, TCM_SETCURSEL, i, 0);
}

bool TabStrip::handle_notify(NMHDR* header)
{
    if (header->code != static_cast<UINT>(TCN_SELCHANGE))
        return false;
    selected_ = static_cast<long>(SendMessageW(hwnd_, TCM_GETCURSEL, 0, 0));
    raise_event(on_click_tab);
    return true;
}

// ---- Animation ----

void Animation::create_window(HWND parent)
{
    create_child(parent, ANIMATE_CLASSA, nullptr, ACS_TRANSPARENT | ACS_CENTER);
    if (!file_.empty() && !open_animation(hwnd_, file_))
        file_.clear();
}

void Animation::reset()
{
    Control::reset();
    file_.clear();
    playing_ = false;
}

bool Animation::Open(const std::string& path)
{
    touch();
    file_ = path;
    if (hwnd_ && open_animation(hwnd_, path))
        return true;
    file_.clear();
    return false;
}

void Animation::Play()
{
    touch();
    if (hwnd_ && !file_.empty())
        playing_ = SendMessageW(hwnd_, ACM_PLAY, static_cast<WPARAM>(-1), MAKELONG(0, 0xFFFF)) != 0;
}

void Animation::Stop()
{
    touch();
    if (hwnd_)
        SendMessageW(hwnd_, ACM_STOP, 0, 0);
    playing_ = false;
}

void Animation::Close()
{
    touch();
    if (hwnd_)
        SendMessageW(hwnd_, ACM_OPENW, 0, 0);
    file_.clear();
    playing_ = false;
}

} // namespace rt
