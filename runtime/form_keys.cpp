// The keyboard of every window: the focus and its rectangle, Tab and Shift+Tab in design
// order, Enter and Esc on the Default and Cancel buttons, the arrow keys of an option group,
// and Enter and Space on the labels and pictures that act as buttons.
#include <windows.h>
#include <algorithm>
#include <climits>
#include <cstring>
#include "runtime/forms.h"
#include "runtime/forms_internal.h"

namespace rt {

namespace {

bool is_kind(const Control& c, const char* kind) { return std::strcmp(c.kind(), kind) == 0; }
bool is_option(const Control& c) { return is_kind(c, "OptionButton"); }
bool same_group(const Control& a, const Control& b)
{
    return is_option(a) && is_option(b) && a.Container() == b.Container();
}
bool key_down(int virtual_key) { return GetKeyState(virtual_key) < 0; }

// The controls in the order design() first touched them; the others after, as declared.
std::vector<Control*> design_order(std::vector<Control*> controls)
{
    std::stable_sort(controls.begin(), controls.end(), [](const Control* a, const Control* b) {
        const int rank_a = a->design_rank() < 0 ? INT_MAX : a->design_rank();
        const int rank_b = b->design_rank() < 0 ? INT_MAX : b->design_rank();
        return rank_a < rank_b;
    });
    return controls;
}

// What the focused control's window asks for this key (WM_GETDLGCODE).
LRESULT dialog_code(Control* focused, const MSG& msg)
{
    if (!focused || focused->windowless() || !focused->window_handle())
        return 0;
    MSG copy = msg;
    return SendMessageW(focused->window_handle(), WM_GETDLGCODE, msg.wParam, reinterpret_cast<LPARAM>(&copy));
}

// A dropped-down list takes its own Enter and Esc, a multi-line box its Enter.
bool takes_key_itself(LRESULT code) { return (code & (DLGC_WANTMESSAGE | DLGC_WANTALLKEYS)) != 0; }

} // namespace

// ---- which controls take the focus ----

bool Control::takes_focus() const
{
    if (windowless())
        return (on_click || partner_) && !stand_in_;
    return true;
}

void Control::take_focus()
{
    HWND target = windowless() ? owner_.hWnd() : hwnd_;
    if (target && GetFocus() != target)
        SetFocus(target);
}

// Inside the edge, on the face of a picture button.
RECT Control::focus_rect(HDC)
{
    RECT r = pixel_rect();
    InflateRect(&r, -4, -4);
    return r;
}

void Control::stands_for(Control& partner)
{
    partner_ = &partner;
    partner.stand_in_ = this;
}

void Form::note_design_touch(Control& c)
{
    if (impl_->designing && c.design_rank() < 0)
        c.design_rank(impl_->design_touches++);
}

bool Form::can_focus(Control& c)
{
    HWND hwnd = impl_->hwnd;
    if (!hwnd || !c.takes_focus() || !c.shown() || !c.active())
        return false;
    if (!c.windowless() && !c.window_handle())
        return false;
    // A control placed beyond the client area (a list kept out of sight) is no stop.
    RECT client, place = c.pixel_rect(), common;
    GetClientRect(hwnd, &client);
    return IntersectRect(&common, &place, &client) != 0;
}

std::vector<Control*> Form::tab_stops()
{
    std::vector<Control*> stops;
    for (Control* c : design_order(controls_)) {
        if (!can_focus(*c))
            continue;
        auto group = std::find_if(stops.begin(), stops.end(), [c](Control* s) { return same_group(*s, *c); });
        if (group == stops.end())
            stops.push_back(c);
        else if (static_cast<OptionButton*>(c)->Value())
            *group = c;   // the chosen option stands for its group
    }
    return stops;
}

// ---- the focus ----

// While another window is active, the control that gets the focus back with this window.
Control* Form::ActiveControl()
{
    HWND hwnd = impl_->hwnd;
    HWND focus = GetFocus();
    if (!hwnd)
        return nullptr;
    // A label hidden or disabled since it took the focus takes no keys.
    if (focus == hwnd)
        return impl_->focus && impl_->focus->windowless() && can_focus(*impl_->focus) ? impl_->focus : nullptr;
    if (focus && IsChild(hwnd, focus)) {
        for (HWND h = focus; h && h != hwnd; h = GetParent(h))
            for (Control* c : controls_)
                if (c->window_handle() == h)
                    return c;
        return nullptr;
    }
    return impl_->focus && can_focus(*impl_->focus) ? impl_->focus : nullptr;
}

void Form::invalidate_focus()
{
    Control* c = impl_->focus;
    if (c && c->windowless() && c->shown()) {
        RECT r = c->pixel_rect();
        InflateRect(&r, 2, 2);
        invalidate_pixels(r);
    }
}

void Form::note_focus(Control* c)
{
    if (impl_->focus == c)
        return;
    invalidate_focus();
    impl_->focus = c;
}

void Form::focus_control(Control& c)
{
    note_focus(&c);
    c.take_focus();
    invalidate_focus();
}

// The control that had the focus, or else the first stop; none when no control takes it.
Control* Form::focus_to_restore()
{
    if (impl_->focus && can_focus(*impl_->focus))
        return impl_->focus;
    const std::vector<Control*> stops = tab_stops();
    return stops.empty() ? nullptr : stops.front();
}

void Form::restore_focus()
{
    HWND hwnd = impl_->hwnd;
    if (!hwnd)
        return;
    if (Control* target = focus_to_restore())
        focus_control(*target);
    else if (GetFocus() != hwnd && !IsChild(hwnd, GetFocus()))
        SetFocus(hwnd);
}

// A window shown while another stays active knows the control that gets the focus with it.
void Form::focus_on_show()
{
    HWND hwnd = impl_->hwnd;
    HWND focus = GetFocus();
    if (GetActiveWindow() != hwnd)
        note_focus(focus_to_restore());
    else if (focus != hwnd && !IsChild(hwnd, focus))
        restore_focus();
}

// Dotted and inverted, so that it shows over any picture.
void Form::draw_focus(HDC dc)
{
    Control* c = impl_->focus;
    if (!c || !c->windowless() || !c->shown() || GetFocus() != impl_->hwnd)
        return;
    const int saved = SaveDC(dc);
    RECT r = c->focus_rect(dc);
    LOGBRUSH ink{BS_SOLID, RGB(0, 0, 0), 0};
    HPEN pen = ExtCreatePen(PS_COSMETIC | PS_ALTERNATE, 1, &ink, 0, nullptr);
    SelectObject(dc, pen);
    SelectObject(dc, GetStockObject(NULL_BRUSH));
    SetROP2(dc, R2_NOT);
    Rectangle(dc, r.left, r.top, r.right, r.bottom);
    RestoreDC(dc, saved);
    DeleteObject(pen);
}

void Form::move_focus(bool backwards)
{
    const std::vector<Control*> stops = tab_stops();
    if (stops.empty())
        return;
    Control* now = ActiveControl();
    const long count = static_cast<long>(stops.size());
    long at = -1;
    for (long i = 0; i < count && now; ++i)
        if (stops[i] == now || same_group(*stops[i], *now))
            at = i;
    long next = at < 0 ? (backwards ? count - 1 : 0) : (at + (backwards ? count - 1 : 1)) % count;
    focus_control(*stops[static_cast<size_t>(next)]);
}

// The arrow keys in an option group move to the next option and choose it.
bool Form::move_in_option_group(Control& option, bool backwards)
{
    std::vector<Control*> group;
    for (Control* c : design_order(controls_))
        if (same_group(*c, option) && can_focus(*c))
            group.push_back(c);
    auto at = std::find(group.begin(), group.end(), &option);
    if (at == group.end() || group.size() < 2)
        return true;
    const size_t n = group.size(), i = static_cast<size_t>(at - group.begin());
    Control& next = *group[(i + (backwards ? n - 1 : 1)) % n];
    focus_control(next);
    click(next);
    return true;
}

// ---- keys ----

// As the pointer would: a control window's notification, a windowless control's Click.
void Form::click(Control& c)
{
    if (c.windowless())
        run_handler(c.on_click);
    else if (HWND h = c.window_handle())
        SendMessageW(impl_->hwnd, WM_COMMAND, MAKEWPARAM(c.id(), BN_CLICKED), reinterpret_cast<LPARAM>(h));
}

bool Form::press_button_of(bool want_default)
{
    for (Control* c : controls_of("CommandButton")) {
        auto* button = static_cast<CommandButton*>(c);
        if ((want_default ? button->Default() : button->Cancel()) && can_focus(*button)) {
            click(*button);
            return true;
        }
    }
    return false;
}

bool Form::handle_key(const MSG& msg)
{
    HWND hwnd = impl_->hwnd;
    if (msg.message != WM_KEYDOWN || !hwnd || !IsWindowVisible(hwnd) || !IsWindowEnabled(hwnd) ||
        key_down(VK_MENU))
        return false;
    const UINT key = static_cast<UINT>(msg.wParam);
    Control* focused = ActiveControl();
    const LRESULT code = dialog_code(focused, msg);
    switch (key) {
    case VK_TAB:
        if (key_down(VK_CONTROL) || (code & DLGC_WANTTAB))
            return false;
        SendMessageW(hwnd, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
        move_focus(key_down(VK_SHIFT));
        return true;
    case VK_RETURN:
        if (takes_key_itself(code))
            return false;
        if (focused && focused->own_key(key))
            return true;
        if (focused && (focused->windowless() || is_kind(*focused, "CommandButton")))
            click(focused->click_target());
        else
            press_button_of(true);
        return true;   // a window without a Default button ignores it
    case VK_ESCAPE:
        if (takes_key_itself(code))
            return false;
        if (!press_button_of(false) && impl_->close_on_escape)
            SendMessageW(hwnd, WM_CLOSE, 0, 0);
        return true;
    case VK_SPACE:
        if (focused && focused->windowless()) {
            click(focused->click_target());
            return true;
        }
        return false;
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN:
        if (focused && is_option(*focused))
            return move_in_option_group(*focused, key == VK_LEFT || key == VK_UP);
        return false;
    default: return false;
    }
}

bool Form::CloseOnEscape()
{
    ensure_loaded();
    return impl_->close_on_escape;
}

void Form::CloseOnEscape(bool c)
{
    ensure_loaded();
    impl_->close_on_escape = c;
}

void dispatch_message(MSG& msg)
{
    if (msg.message == WM_KEYDOWN && msg.hwnd) {
        if (Form* form = Form::of_window(GetAncestor(msg.hwnd, GA_ROOT))) {
            bool handled = false;
            try {
                handled = form->handle_key(msg);
            } catch (...) {
                // Handlers report their own errors.
                handled = true;
            }
            if (handled)
                return;
        }
    }
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
}

} // namespace rt
