// A window's Win32 side: its window procedure, painting of the windowless controls,
// mouse hit-testing and tooltips.
#include <windows.h>
#include <commctrl.h>
#include <algorithm>
#include "runtime/errors.h"
#include "runtime/forms.h"
#include "runtime/forms_internal.h"

namespace rt {

namespace {

int mouse_button(WPARAM wp)
{
    int b = 0;
    if (wp & MK_LBUTTON)
        b |= vbLeftButton;
    if (wp & MK_RBUTTON)
        b |= vbRightButton;
    if (wp & MK_MBUTTON)
        b |= vbMiddleButton;
    return b;
}

int shift_state(WPARAM wp)
{
    int s = 0;
    if (wp & MK_SHIFT)
        s |= 1;
    if (wp & MK_CONTROL)
        s |= 2;
    if (GetKeyState(VK_MENU) < 0)
        s |= 4;
    return s;
}

} // namespace

void Form::update_tooltip(Control& c)
{
    Impl& w = *impl_;
    if (!w.hwnd || (c.ToolTipText().empty() && !w.tooltip))
        return;
    if (!w.tooltip) {
        w.tooltip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                                    CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, w.hwnd, nullptr,
                                    module_instance(), nullptr);
        if (!w.tooltip)
            return;
    }
    TTTOOLINFOW info{};
    info.cbSize = sizeof(info);
    info.hwnd = w.hwnd;
    if (c.windowless()) {
        info.uFlags = TTF_SUBCLASS;
        info.uId = static_cast<UINT_PTR>(c.id());
        if (c.shown())
            info.rect = c.pixel_rect();
    } else {
        if (!c.window_handle())
            return;
        info.uFlags = TTF_SUBCLASS | TTF_IDISHWND;
        info.uId = reinterpret_cast<UINT_PTR>(c.window_handle());
    }
    SendMessageW(w.tooltip, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&info));
    std::wstring text = wide_text(c.ToolTipText());
    if (text.empty())
        return;
    info.lpszText = text.data();
    SendMessageW(w.tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
}

// ---- windowless controls: painting and the mouse ----

void Form::paint_controls(HDC dc, Control* container, const RECT& area)
{
    for (Control* c : controls_) {
        if (c->Container() != container || !c->windowless() || !c->shown())
            continue;
        RECT r = c->pixel_rect(), common;
        if (!IntersectRect(&common, &r, &area))
            continue;
        int saved = SaveDC(dc);
        IntersectClipRect(dc, r.left, r.top, r.right, r.bottom);
        c->paint(dc);
        paint_controls(dc, c, area);
        RestoreDC(dc, saved);
    }
}

// The back colour, the picture and the windowless controls of the area, drawn off-screen
// first (a bitmap of the area alone, so that a window growing step by step stays quick).
void Form::render(HDC dc, const RECT& area)
{
    const int width = area.right - area.left, height = area.bottom - area.top;
    if (width <= 0 || height <= 0)
        return;
    RECT client;
    GetClientRect(impl_->hwnd, &client);
    HDC mem = CreateCompatibleDC(dc);
    HBITMAP bitmap = CreateCompatibleBitmap(dc, width, height);
    HGDIOBJ old = SelectObject(mem, bitmap);
    SetWindowOrgEx(mem, area.left, area.top, nullptr);   // client coordinates on the bitmap
    FillRect(mem, &area, impl_->brush());
    if (impl_->picture)
        draw_picture(mem, *impl_->picture, client, false);
    paint_controls(mem, nullptr, area);
    draw_focus(mem);
    BitBlt(dc, area.left, area.top, width, height, mem, area.left, area.top, SRCCOPY);
    SelectObject(mem, old);
    DeleteObject(bitmap);
    DeleteDC(mem);
}

Control* Form::hit_test(POINT pt, Control* container)
{
    for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
        Control* c = *it;
        if (c->Container() != container || !c->windowless() || !c->shown() || !c->active())
            continue;
        RECT r = c->pixel_rect();
        if (!PtInRect(&r, pt))
            continue;
        if (Control* inner = hit_test(pt, c))
            return inner;
        return c;
    }
    return nullptr;
}

void Form::mouse_event(UINT msg, WPARAM wp, LPARAM lp)
{
    HWND hwnd = impl_->hwnd;
    POINT pt{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
    // A message that the pointer did not make (a notification-area callback) belongs to the window.
    DWORD pos = GetMessagePos();
    POINT cursor{static_cast<short>(LOWORD(pos)), static_cast<short>(HIWORD(pos))};
    ScreenToClient(hwnd, &cursor);
    bool from_pointer = IsWindowVisible(hwnd) && cursor.x == pt.x && cursor.y == pt.y;
    Control* target = from_pointer ? hit_test(pt, nullptr) : nullptr;

    float x = static_cast<float>(pixels_to_twips_x(pt.x)), y = static_cast<float>(pixels_to_twips_y(pt.y));
    if (target) {
        RECT r = target->pixel_rect();
        x = static_cast<float>(pixels_to_twips_x(pt.x - r.left));
        y = static_cast<float>(pixels_to_twips_y(pt.y - r.top));
    }
    int button = mouse_button(wp), shift = shift_state(wp);

    switch (msg) {
    case WM_MOUSEMOVE:
        if (target) {
            if (target->on_mouse_move)
                run_handler([&] { target->on_mouse_move(button, shift, x, y); });
        } else {
            run_handler([&] { Form_MouseMove(button, shift, x, y); });
        }
        break;
    case WM_LBUTTONDOWN:
        impl_->pressed = target;
        impl_->pressed_on_window = !target;
        SetCapture(hwnd);
        if (target) {
            Control& stop = target->stand_in() ? *target->stand_in() : *target;
            if (can_focus(stop))
                focus_control(stop);
        }
        break;
    case WM_LBUTTONUP: {
        if (GetCapture() == hwnd)
            ReleaseCapture();
        bool same = target ? impl_->pressed == target : impl_->pressed_on_window;
        impl_->pressed = nullptr;
        impl_->pressed_on_window = false;
        if (!same)
            break;
        if (target)
            run_handler(target->on_click);
        else
            run_handler([this] { Form_Click(); });
        break;
    }
    default: break;
    }
}

namespace {

Control* control_of_window(const std::vector<Control*>& controls, HWND child)
{
    if (!child)
        return nullptr;
    for (Control* c : controls)
        if (c->window_handle() == child)
            return c;
    return nullptr;
}

Control* control_of_id(const std::vector<Control*>& controls, UINT id)
{
    for (Control* c : controls)
        if (c->id() == static_cast<int>(id))
            return c;
    return nullptr;
}

} // namespace

LRESULT Form::window_proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    try {
        switch (msg) {
        case WM_ERASEBKGND: return 1;
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(hwnd, &ps);
            render(dc, ps.rcPaint);
            EndPaint(hwnd, &ps);
            return 0;
        }
        case WM_PRINTCLIENT: {
            RECT client;
            GetClientRect(hwnd, &client);
            render(reinterpret_cast<HDC>(wp), client);
            return 0;
        }
        case WM_MOUSEMOVE:
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
            mouse_event(msg, wp, lp);
            return 0;
        case kTrayCallbackMessage: {
            // The mouse message in X as twips, by the rule that turns it back exactly.
            float x = static_cast<float>(LOWORD(lp) * Screen::TwipsPerPixelX());
            run_handler([this, x] { Form_MouseMove(0, 0, x, 0); });
            return 0;
        }
        case WM_TIMER:
            if (Control* c = control_of_id(controls_, static_cast<UINT>(wp)))
                if (auto* t = dynamic_cast<Timer*>(c))
                    t->fire();
            return 0;
        case WM_COMMAND:
            if (Control* c = control_of_window(controls_, reinterpret_cast<HWND>(lp)))
                c->handle_command(wp, lp);
            return 0;
        case WM_NOTIFY: {
            auto* header = reinterpret_cast<NMHDR*>(lp);
            if (Control* c = control_of_window(controls_, header->hwndFrom))
                if (c->handle_notify(header))
                    return 0;
            break;
        }
        case WM_HSCROLL:
        case WM_VSCROLL:
            if (Control* c = control_of_window(controls_, reinterpret_cast<HWND>(lp)))
                c->handle_scroll(LOWORD(wp));
            return 0;
        case WM_DRAWITEM: {
            auto* d = reinterpret_cast<DRAWITEMSTRUCT*>(lp);
            if (Control* c = control_of_id(controls_, d->CtlID))
                return c->draw_item(*d) ? TRUE : FALSE;
            break;
        }
        case WM_MEASUREITEM: {
            auto* m = reinterpret_cast<MEASUREITEMSTRUCT*>(lp);
            if (Control* c = control_of_id(controls_, m->CtlID)) {
                c->measure_item(*m);
                return TRUE;
            }
            break;
        }
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
            if (Control* c = control_of_window(controls_, reinterpret_cast<HWND>(lp)))
                if (HBRUSH b = c->control_color(reinterpret_cast<HDC>(wp)))
                    return reinterpret_cast<LRESULT>(b);
            break;
        case kSyncMessage:
            impl_->sync_posted = false;
            for (Control* c : controls_)
                c->sync_window();
            return 0;
        case WM_SIZE:
            if (impl_->creating)
                break;
            if (wp == SIZE_MINIMIZED)
                impl_->window_state = vbMinimized;
            else if (wp == SIZE_MAXIMIZED)
                impl_->window_state = vbMaximized;
            else if (wp == SIZE_RESTORED)
                impl_->window_state = vbNormal;
            [[fallthrough]];
        case WM_MOVE: {
            if (impl_->creating || IsIconic(hwnd) || IsZoomed(hwnd)) {
                if (msg == WM_SIZE)
                    run_handler([this] { Form_Resize(); });
                return 0;
            }
            // The user moved or sized the window: take its place, keeping exact twips otherwise.
            RECT r;
            GetWindowRect(hwnd, &r);
            Impl& w = *impl_;
            if (twips_to_pixels_x(w.left) != r.left)
                w.left = pixels_to_twips_x(r.left);
            if (twips_to_pixels_y(w.top) != r.top)
                w.top = pixels_to_twips_y(r.top);
            if (twips_to_pixels_x(w.width) != r.right - r.left)
                w.width = pixels_to_twips_x(r.right - r.left);
            if (twips_to_pixels_y(w.height) != r.bottom - r.top)
                w.height = pixels_to_twips_y(r.bottom - r.top);
            if (msg == WM_SIZE)
                run_handler([this] { Form_Resize(); });
            return 0;
        }
        case WM_ACTIVATE:
            if (LOWORD(wp) == WA_INACTIVE || impl_->creating)
                break;
            // As a dialog: the focus goes back to the control that had it (after a message
            // box, say), or to the first one that takes it.
            if (!HIWORD(wp))
                restore_focus();
            run_handler([this] { Form_Activate(); });
            return 0;
        case WM_SETFOCUS:
            restore_focus();
            invalidate_focus();
            return 0;
        case WM_KILLFOCUS:
            invalidate_focus();
            return 0;
        case WM_CLOSE:
            reporting_errors(sys_, [this] { unload_with_mode(vbFormControlMenu); });
            return 0;
        default:
            for (const auto& [message, handler] : registered_handlers_)
                if (message == msg) {
                    run_handler(handler);
                    return 0;
                }
            break;
        }
    } catch (...) {
        // Handlers report their own errors; nothing may unwind through the system's frames.
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

} // namespace rt

namespace rt {

void Form::on_registered_message(const std::string& name, std::function<void()> handler)
{
    if (UINT message = RegisterWindowMessageW(wide_text(name).c_str()))
        registered_handlers_.emplace_back(message, std::move(handler));
}

} // namespace rt
