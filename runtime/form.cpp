// A window: implicit load, show/hide, unload with deferral, geometry in twips.
#include <windows.h>
#include <commctrl.h>
#include <cstring>
#include <optional>
#include "runtime/errors.h"
#include "runtime/forms.h"
#include "runtime/forms_internal.h"

namespace rt {


namespace {

const wchar_t* const kFormClass = L"PellmarisForm";

LRESULT CALLBACK form_proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_NCCREATE) {
        auto* cs = reinterpret_cast<CREATESTRUCTW*>(lp);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
    }
    auto* form = reinterpret_cast<Form*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (form)
        return form->window_proc(hwnd, msg, wp, lp);
    return DefWindowProcW(hwnd, msg, wp, lp);
}

void register_form_class()
{
    static bool registered = false;
    if (registered)
        return;
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = form_proc;
    wc.hInstance = module_instance();
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hIcon = LoadIconW(module_instance(), MAKEINTRESOURCEW(1));
    wc.lpszClassName = kFormClass;
    registered = RegisterClassExW(&wc) != 0;
}


HICON load_icon(const std::string& name)
{
    bool numeric = !name.empty() && name.find_first_not_of("0123456789") == std::string::npos;
    const std::wstring wide = wide_text(name);
    LPCWSTR id = numeric ? MAKEINTRESOURCEW(std::stoi(name)) : wide.c_str();
    return static_cast<HICON>(LoadImageW(module_instance(), id, IMAGE_ICON, 0, 0, LR_DEFAULTSIZE | LR_SHARED));
}

} // namespace

Form::Form(System& sys, std::string name) : impl_(new Impl), sys_(sys), name_(std::move(name)) {}

Form::~Form()
{
    destroy_form_window();
    delete impl_;
}

// ---- load and unload ----

void Form::ensure_loaded()
{
    if (loaded_)
        return;
    loaded_ = true;
    as_handler(*this, [this] {
        impl_->caption = name_;
        impl_->designing = true;
        try {
            design();
        } catch (...) {
            impl_->designing = false;
            throw;
        }
        impl_->designing = false;
        create_form_window();
        Form_Load();
    });
}

void Form::Load() { ensure_loaded(); }

bool Form::Unload() { return unload_with_mode(vbFormCode); }

bool Form::unload_with_mode(int mode)
{
    if (!loaded_ || impl_->unloading)
        return true;
    if (handler_depth_ > 0) {
        unload_pending_ = true;
        impl_->pending_mode = mode;
        return true;
    }
    impl_->unloading = true;
    int cancel = 0;
    try {
        as_handler(*this, [&] {
            Form_QueryUnload(cancel, mode);
            if (!cancel)
                Form_Unload(cancel);
        });
    } catch (...) {
        impl_->unloading = false;
        throw;
    }
    if (cancel) {
        impl_->unloading = false;
        unload_pending_ = false;
        return false;
    }
    destroy_form_window();
    for (Control* c : controls_)
        c->reset();
    delete impl_;
    impl_ = new Impl;
    loaded_ = false;
    unload_pending_ = false;
    return true;
}

void Form::enter_handler() { ++handler_depth_; }

void Form::leave_handler()
{
    if (--handler_depth_ == 0 && unload_pending_) {
        unload_pending_ = false;
        unload_with_mode(impl_->pending_mode);
    }
}

void Form::run_handler(const std::function<void()>& handler)
{
    if (!handler)
        return;
    enter_handler();
    reporting_errors(sys_, handler);
    reporting_errors(sys_, [this] { leave_handler(); });
}

void as_handler(Form& form, const std::function<void()>& code)
{
    form.enter_handler();
    try {
        code();
    } catch (...) {
        try {
            form.leave_handler();
        } catch (...) {
        }
        throw;
    }
    form.leave_handler();
}

void reporting_errors(System& sys, const std::function<void()>& code)
{
    auto report = [&sys](int number, const std::string& description) {
        try {
            sys.MsgBox("Run-time error '" + std::to_string(number) + "':\n\n" + description, vbCritical, AppTitle);
        } catch (...) {
        }
    };
    try {
        code();
    } catch (const RuntimeError& e) {
        report(e.number(), e.description());
    } catch (const std::exception& e) {
        report(51, e.what());
    }
}

// ---- the Win32 window ----

DWORD Form::window_style() const
{
    DWORD style = WS_CLIPCHILDREN;
    switch (impl_->border_style) {
    case bsNone: style |= WS_POPUP; break;
    case bsFixedSingle: style |= WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX; break;
    case bsFixedDialog:
    case bsFixedToolWindow: style |= WS_CAPTION | WS_SYSMENU; break;
    default: style |= WS_OVERLAPPEDWINDOW; break;
    }
    if (!impl_->control_box)
        style &= ~(WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX);
    return style;
}

DWORD Form::window_ex_style() const
{
    DWORD ex = WS_EX_CONTROLPARENT;
    if (impl_->border_style == bsFixedDialog)
        ex |= WS_EX_DLGMODALFRAME;
    if (impl_->border_style == bsFixedToolWindow)
        ex |= WS_EX_TOOLWINDOW;
    return ex;
}

namespace {

// The frame around the client area, in pixels.
SIZE frame_pixels(DWORD style, DWORD ex)
{
    RECT r{0, 0, 0, 0};
    AdjustWindowRectEx(&r, style, FALSE, ex);
    return SIZE{r.right - r.left, r.bottom - r.top};
}

} // namespace

void Form::create_form_window()
{
    register_form_class();
    Impl& w = *impl_;
    DWORD style = window_style(), ex = window_ex_style();
    if (w.client_size) {
        SIZE frame = frame_pixels(style, ex);
        w.width = pixels_to_twips_x(twips_to_pixels_x(w.client_size->first) + frame.cx);
        w.height = pixels_to_twips_y(twips_to_pixels_y(w.client_size->second) + frame.cy);
    }
    if (!w.position_set) {
        RECT work = Screen::WorkArea();
        w.left = work.left + std::max(0L, (work.right - work.left - w.width) / 2);
        w.top = work.top + std::max(0L, (work.bottom - work.top - w.height) / 2);
    }
    w.creating = true;
    HWND owner = w.show_in_taskbar ? nullptr : parking_window();
    w.hwnd = CreateWindowExW(ex, kFormClass, wide_text(w.caption).c_str(), style, twips_to_pixels_x(w.left),
                             twips_to_pixels_y(w.top), twips_to_pixels_x(w.width), twips_to_pixels_y(w.height), owner,
                             nullptr, module_instance(), this);
    if (!w.hwnd) {
        w.creating = false;
        raise(7);
    }
    if (w.icon) {
        SendMessageW(w.hwnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(w.icon));
        SendMessageW(w.hwnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(w.icon));
    }
    if (!w.enabled)
        EnableWindow(w.hwnd, FALSE);
    for (Control* c : controls_)
        c->create_window(w.hwnd);
    for (Control* c : controls_)
        update_tooltip(*c);
    // The focus is always drawn, not only once the keyboard has been used.
    SendMessageW(w.hwnd, WM_UPDATEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
    w.creating = false;
    if (w.visible)
        Show();
}

void Form::destroy_form_window()
{
    HWND hwnd = impl_->hwnd;
    if (!hwnd)
        return;
    if (impl_->tooltip)
        DestroyWindow(impl_->tooltip);
    impl_->tooltip = nullptr;
    impl_->hwnd = nullptr;
    // No events of a window that is going away.
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    DestroyWindow(hwnd);
}

HWND Form::hWnd()
{
    ensure_loaded();
    return impl_->hwnd;
}

Form* Form::of_window(HWND hwnd)
{
    wchar_t name[32] = L"";
    if (!hwnd || !GetClassNameW(hwnd, name, 32) || wcscmp(name, kFormClass) != 0)
        return nullptr;
    return reinterpret_cast<Form*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

void Form::invalidate_pixels(const RECT& r)
{
    if (impl_->hwnd)
        InvalidateRect(impl_->hwnd, &r, FALSE);
}

// A handler that changes a shown window and goes on working gets no message loop to
// paint it: the control windows take their pending changes and everything paints now.
void Form::paint_now()
{
    HWND h = impl_->hwnd;
    if (!h || impl_->creating || !IsWindowVisible(h))
        return;
    for (Control* c : controls_)
        c->sync_window();
    RedrawWindow(h, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
}

void Form::request_sync()
{
    if (impl_->hwnd && !impl_->sync_posted) {
        impl_->sync_posted = true;
        PostMessageW(impl_->hwnd, kSyncMessage, 0, 0);
    }
}

HBRUSH Form::background_brush(HDC dc)
{
    SetBkColor(dc, impl_->back_color);
    return impl_->brush();
}

// ---- controls ----

void Form::register_control(Control* c)
{
    controls_.push_back(c);
    c->id(1000 + static_cast<int>(controls_.size()));
}

void Form::unregister_control(Control* c)
{
    std::erase(controls_, c);
    if (impl_->pressed == c)
        impl_->pressed = nullptr;
    if (impl_->focus == c)
        impl_->focus = nullptr;
}

std::vector<Control*> Form::controls() { return controls_; }

std::vector<Control*> Form::controls_of(const char* kind)
{
    std::vector<Control*> found;
    for (Control* c : controls_)
        if (std::strcmp(c->kind(), kind) == 0)
            found.push_back(c);
    return found;
}

// ---- properties ----

std::string Form::Caption()
{
    ensure_loaded();
    return impl_->caption;
}

void Form::Caption(const std::string& c)
{
    ensure_loaded();
    impl_->caption = c;
    if (impl_->hwnd)
        SetWindowTextW(impl_->hwnd, wide_text(c).c_str());
}

long Form::Left()
{
    ensure_loaded();
    return impl_->left;
}

long Form::Top()
{
    ensure_loaded();
    return impl_->top;
}

long Form::Width()
{
    ensure_loaded();
    return impl_->width;
}

long Form::Height()
{
    ensure_loaded();
    return impl_->height;
}

namespace {

void place_window(HWND hwnd, long left, long top, long width, long height, UINT flags)
{
    if (hwnd)
        SetWindowPos(hwnd, nullptr, twips_to_pixels_x(left), twips_to_pixels_y(top), twips_to_pixels_x(width),
                     twips_to_pixels_y(height), flags | SWP_NOZORDER | SWP_NOACTIVATE);
}

} // namespace

void Form::Left(long twips) { ensure_loaded(); Move(twips, impl_->top); }
void Form::Top(long twips) { ensure_loaded(); Move(impl_->left, twips); }

void Form::Move(long left, long top)
{
    ensure_loaded();
    impl_->left = left;
    impl_->top = top;
    impl_->position_set = true;
    place_window(impl_->hwnd, left, top, 0, 0, SWP_NOSIZE);
}

void Form::Width(long twips)
{
    ensure_loaded();
    impl_->width = twips;
    impl_->client_size.reset();
    place_window(impl_->hwnd, 0, 0, impl_->width, impl_->height, SWP_NOMOVE);
    paint_now();
}

void Form::Height(long twips)
{
    ensure_loaded();
    impl_->height = twips;
    impl_->client_size.reset();
    place_window(impl_->hwnd, 0, 0, impl_->width, impl_->height, SWP_NOMOVE);
    paint_now();
}

long Form::ScaleWidth()
{
    ensure_loaded();
    RECT r;
    if (impl_->hwnd && !IsIconic(impl_->hwnd) && GetClientRect(impl_->hwnd, &r))
        return pixels_to_twips_x(r.right);
    if (impl_->client_size)
        return impl_->client_size->first;
    return impl_->width - pixels_to_twips_x(frame_pixels(window_style(), window_ex_style()).cx);
}

long Form::ScaleHeight()
{
    ensure_loaded();
    RECT r;
    if (impl_->hwnd && !IsIconic(impl_->hwnd) && GetClientRect(impl_->hwnd, &r))
        return pixels_to_twips_y(r.bottom);
    if (impl_->client_size)
        return impl_->client_size->second;
    return impl_->height - pixels_to_twips_y(frame_pixels(window_style(), window_ex_style()).cy);
}

void Form::ScaleSize(long width, long height)
{
    ensure_loaded();
    SIZE frame = frame_pixels(window_style(), window_ex_style());
    impl_->width = pixels_to_twips_x(twips_to_pixels_x(width) + frame.cx);
    impl_->height = pixels_to_twips_y(twips_to_pixels_y(height) + frame.cy);
    impl_->client_size = std::make_pair(width, height);
    place_window(impl_->hwnd, 0, 0, impl_->width, impl_->height, SWP_NOMOVE);
    paint_now();
}

bool Form::Visible()
{
    ensure_loaded();
    return impl_->visible;
}

void Form::Visible(bool v)
{
    if (v)
        Show();
    else
        Hide();
}

void Form::Show()
{
    ensure_loaded();
    impl_->visible = true;
    if (!impl_->hwnd || impl_->creating)
        return;
    int state = impl_->window_state;
    ShowWindow(impl_->hwnd, state == vbMinimized ? SW_SHOWMINIMIZED : state == vbMaximized ? SW_SHOWMAXIMIZED : SW_SHOW);
    focus_on_show();
    paint_now();
}

void Form::Hide()
{
    ensure_loaded();
    impl_->visible = false;
    if (impl_->hwnd)
        ShowWindow(impl_->hwnd, SW_HIDE);
}

bool Form::Enabled()
{
    ensure_loaded();
    return impl_->enabled;
}

void Form::Enabled(bool e)
{
    ensure_loaded();
    impl_->enabled = e;
    if (impl_->hwnd)
        EnableWindow(impl_->hwnd, e);
}

int Form::WindowState()
{
    ensure_loaded();
    HWND h = impl_->hwnd;
    if (h && impl_->visible && IsWindowVisible(h))
        return IsIconic(h) ? vbMinimized : IsZoomed(h) ? vbMaximized : vbNormal;
    return impl_->window_state;
}

void Form::WindowState(int s)
{
    ensure_loaded();
    if (s < vbNormal || s > vbMaximized)
        raise(errInvalidProperty);
    impl_->window_state = s;
    HWND h = impl_->hwnd;
    if (h && impl_->visible && IsWindowVisible(h)) {
        ShowWindow(h, s == vbMinimized ? SW_MINIMIZE : s == vbMaximized ? SW_MAXIMIZE : SW_RESTORE);   // WM_SIZE resizes
        return;
    }
    // A hidden window keeps the state for its next show, and still hears of the change.
    as_handler(*this, [this] { Form_Resize(); });
}

int Form::BorderStyle()
{
    ensure_loaded();
    return impl_->border_style;
}

namespace {

void restyle(HWND hwnd, DWORD style, DWORD ex)
{
    if (!hwnd)
        return;
    DWORD visible = GetWindowLongW(hwnd, GWL_STYLE) & (WS_VISIBLE | WS_MINIMIZE | WS_MAXIMIZE | WS_DISABLED);
    SetWindowLongW(hwnd, GWL_STYLE, style | visible);
    // Keep the layered bit that the windows' own code may have set.
    SetWindowLongW(hwnd, GWL_EXSTYLE, ex | (GetWindowLongW(hwnd, GWL_EXSTYLE) & WS_EX_LAYERED));
    SetWindowPos(hwnd, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

} // namespace

void Form::BorderStyle(int s)
{
    ensure_loaded();
    if (s < bsNone || s > bsFixedToolWindow)
        raise(errInvalidProperty);
    impl_->border_style = s;
    restyle(impl_->hwnd, window_style(), window_ex_style());
}

bool Form::ShowInTaskbar()
{
    ensure_loaded();
    return impl_->show_in_taskbar;
}

void Form::ShowInTaskbar(bool s)
{
    ensure_loaded();
    impl_->show_in_taskbar = s;
    if (impl_->hwnd)
        SetWindowLongPtrW(impl_->hwnd, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(s ? nullptr : parking_window()));
}

bool Form::ControlBox()
{
    ensure_loaded();
    return impl_->control_box;
}

void Form::ControlBox(bool c)
{
    ensure_loaded();
    impl_->control_box = c;
    restyle(impl_->hwnd, window_style(), window_ex_style());
}

COLORREF Form::BackColor()
{
    ensure_loaded();
    return impl_->back_color;
}

void Form::BackColor(COLORREF c)
{
    ensure_loaded();
    impl_->back_color = c;
    if (impl_->back_brush)
        DeleteObject(impl_->back_brush);
    impl_->back_brush = nullptr;
    if (impl_->hwnd)
        InvalidateRect(impl_->hwnd, nullptr, TRUE);
}

void Form::LoadPicture(const std::string& path)
{
    ensure_loaded();
    impl_->picture = load_picture_file(path);
    if (impl_->hwnd)
        InvalidateRect(impl_->hwnd, nullptr, FALSE);
}

void Form::LoadResourcePicture(const std::string& resource_name)
{
    ensure_loaded();
    impl_->picture = load_picture_resource(resource_name);
    if (impl_->hwnd)
        InvalidateRect(impl_->hwnd, nullptr, FALSE);
}

void Form::ClearPicture()
{
    ensure_loaded();
    impl_->picture.reset();
    if (impl_->hwnd)
        InvalidateRect(impl_->hwnd, nullptr, FALSE);
}

void Form::SetIcon(const std::string& resource_name)
{
    ensure_loaded();
    HICON icon = load_icon(resource_name);
    if (!icon)
        raise(errFileNotFound);
    impl_->icon = icon;
    if (impl_->hwnd) {
        SendMessageW(impl_->hwnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
        SendMessageW(impl_->hwnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    }
}

HICON Form::Icon()
{
    ensure_loaded();
    if (impl_->icon)
        return impl_->icon;
    HICON icon = load_icon("1");
    return icon ? icon : LoadIcon(nullptr, IDI_APPLICATION);
}

void Form::ZOrderTop()
{
    ensure_loaded();
    if (impl_->hwnd)
        SetWindowPos(impl_->hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

} // namespace rt
