// The control base and the windowless controls: Label, PictureBox (and Image), Frame.
#include <windows.h>
#include <commctrl.h>
#include <algorithm>
#include <cstring>
#include <sstream>
#include "runtime/errors.h"
#include "runtime/forms.h"
#include "runtime/forms_internal.h"

namespace rt {

// ---- fonts ----

HFONT FontSpec::handle()
{
    if (!font_)
        font_ = CreateFontW(-MulDiv(size, dpi_y(), 72), 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                            DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                            DEFAULT_PITCH | FF_DONTCARE, wide_text(name).c_str());
    return font_;
}

void FontSpec::release()
{
    if (font_)
        DeleteObject(font_);
    font_ = nullptr;
}

void FontSpec::reset()
{
    release();
    name = "MS Sans Serif";
    size = 8;
    bold = false;
}

// ---- Control ----

Control::Control(Form& owner, std::string name) : owner_(owner), name_(std::move(name))
{
    owner_.register_control(this);
}

Control::~Control()
{
    // The window itself goes with its parent; only stop hearing from it.
    if (hwnd_ && IsWindow(hwnd_) && base_proc_) {
        SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(base_proc_));
        SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    }
    owner_.unregister_control(this);
}

void Control::touch()
{
    owner_.ensure_loaded();
    owner_.note_design_touch(*this);
}

void Control::reset()
{
    hwnd_ = nullptr;
    left_ = 0;
    top_ = 0;
    width_ = 1215;
    height_ = 495;
    visible_ = true;
    enabled_ = true;
    tooltip_.clear();
    design_rank_ = -1;
}

RECT Control::pixel_rect()
{
    long left = left_, top = top_;
    for (Control* c = container_; c; c = c->container_) {
        left += c->left_;
        top += c->top_;
    }
    return RECT{twips_to_pixels_x(left), twips_to_pixels_y(top), twips_to_pixels_x(left + width_),
                twips_to_pixels_y(top + height_)};
}

bool Control::shown() { return visible_ && (!container_ || container_->shown()); }
bool Control::active() { return enabled_ && (!container_ || container_->active()); }

void Control::invalidate()
{
    if (windowless() && owner_.is_loaded())
        owner_.invalidate_pixels(pixel_rect());
}

void Control::apply_geometry()
{
    if (hwnd_) {
        RECT r = pixel_rect();
        SetWindowPos(hwnd_, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    invalidate();
    geometry_changed();
    if (windowless() && !tooltip_.empty())
        owner_.update_tooltip(*this);
}

void Control::apply_visibility()
{
    if (hwnd_)
        ShowWindow(hwnd_, shown() ? SW_SHOWNA : SW_HIDE);
    invalidate();
    if (windowless() && !tooltip_.empty())
        owner_.update_tooltip(*this);
    for (Control* c : owner_.controls())
        if (c->container_ == this)
            c->apply_visibility();
}

namespace {

void apply_enabled(Control& c, const std::vector<Control*>& all)
{
    if (HWND h = c.window_handle())
        EnableWindow(h, c.active());
    for (Control* child : all)
        if (child->Container() == &c)
            apply_enabled(*child, all);
}

} // namespace

long Control::Left() { touch(); return left_; }
long Control::Top() { touch(); return top_; }
long Control::Width() { touch(); return width_; }
long Control::Height() { touch(); return height_; }

void Control::Left(long twips) { touch(); Move(twips, top_, width_, height_); }
void Control::Top(long twips) { touch(); Move(left_, twips, width_, height_); }
void Control::Width(long twips) { touch(); Move(left_, top_, twips, height_); }
void Control::Height(long twips) { touch(); Move(left_, top_, width_, twips); }

void Control::Move(long left, long top, long width, long height)
{
    touch();
    if (width < 0 || height < 0)
        raise(errInvalidProperty);
    invalidate();
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    apply_geometry();
}

bool Control::Visible() { touch(); return visible_; }

void Control::Visible(bool v)
{
    touch();
    if (v == visible_)
        return;
    visible_ = v;
    apply_visibility();
}

bool Control::Enabled() { touch(); return enabled_; }

void Control::Enabled(bool v)
{
    touch();
    enabled_ = v;
    apply_enabled(*this, owner_.controls());
    invalidate();
}

std::string Control::ToolTipText() { touch(); return tooltip_; }

void Control::ToolTipText(const std::string& t)
{
    touch();
    tooltip_ = t;
    owner_.update_tooltip(*this);
}

void Control::Container(Control* frame)
{
    invalidate();
    container_ = frame;
    if (owner_.is_loaded()) {
        apply_geometry();
        apply_visibility();
    }
}

HWND Control::hWnd()
{
    touch();
    return hwnd_;
}

void Control::raise_event(const std::function<void()>& handler)
{
    if (handler)
        owner_.run_handler(handler);
}

void Control::raise_from_code(const std::function<void()>& handler)
{
    if (handler)
        as_handler(owner_, handler);
}

HWND Control::create_child(HWND parent, const char* window_class, const char* text, DWORD style, DWORD ex_style)
{
    RECT r = pixel_rect();
    style |= WS_CHILD | WS_CLIPSIBLINGS;
    if (shown())
        style |= WS_VISIBLE;
    if (!active())
        style |= WS_DISABLED;
    hwnd_ = CreateWindowExW(ex_style | WS_EX_NOPARENTNOTIFY, wide_text(window_class).c_str(),
                            text ? wide_text(text).c_str() : nullptr, style, r.left, r.top,
                            r.right - r.left, r.bottom - r.top, parent,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id_)), module_instance(), nullptr);
    if (!hwnd_)
        raise(7);
    SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    // Plain subclassing: the common controls' subclass helper costs a look-up per message
    // under Wine, which a list of many thousand rows cannot afford.
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    base_proc_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Control::subclass_proc)));
    return hwnd_;
}

// Mouse moves over a control's own window are its MouseMove event.
LRESULT CALLBACK Control::subclass_proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    auto* self = reinterpret_cast<Control*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!self || !self->base_proc_)
        return DefWindowProcW(hwnd, msg, wp, lp);
    if (msg == WM_MOUSEMOVE && self->on_mouse_move) {
        int button = ((wp & MK_LBUTTON) ? vbLeftButton : 0) | ((wp & MK_RBUTTON) ? vbRightButton : 0) |
                     ((wp & MK_MBUTTON) ? vbMiddleButton : 0);
        int shift = ((wp & MK_SHIFT) ? 1 : 0) | ((wp & MK_CONTROL) ? 2 : 0);
        float x = static_cast<float>(pixels_to_twips_x(static_cast<short>(LOWORD(lp))));
        float y = static_cast<float>(pixels_to_twips_y(static_cast<short>(HIWORD(lp))));
        self->owner_.run_handler([self, button, shift, x, y] { self->on_mouse_move(button, shift, x, y); });
    }
    if (msg == WM_SETFOCUS)
        self->owner_.note_focus(self);
    LRESULT result = CallWindowProcW(self->base_proc_, hwnd, msg, wp, lp);
    if (msg == WM_KEYDOWN || msg == WM_CHAR)
        self->key_handled();
    return result;
}

// ---- Label ----

void Label::create_window(HWND) {}

void Label::reset()
{
    Control::reset();
    caption_.clear();
    fore_ = RGB(0, 0, 0);
    back_ = GetSysColor(COLOR_BTNFACE);
    transparent_ = true;
    auto_size_ = false;
    alignment_ = 0;
    font_.reset();
}

std::string Label::Caption() { touch(); return caption_; }

void Label::Caption(const std::string& c)
{
    touch();
    if (c == caption_)
        return;
    caption_ = c;
    if (auto_size_)
        fit_to_caption();
    invalidate();
    raise_from_code(on_change);
}

COLORREF Label::ForeColor() { touch(); return fore_; }
void Label::ForeColor(COLORREF c) { touch(); fore_ = c; invalidate(); }
COLORREF Label::BackColor() { touch(); return back_; }

// A label given a back colour paints it (progress strips are made of such labels).
void Label::BackColor(COLORREF c)
{
    touch();
    back_ = c;
    transparent_ = false;
    invalidate();
}

bool Label::Transparent() { touch(); return transparent_; }
void Label::Transparent(bool t) { touch(); transparent_ = t; invalidate(); }

void Label::Font(const std::string& name, int size_points, bool bold)
{
    touch();
    font_.name = name;
    font_.size = size_points;
    font_.bold = bold;
    font_changed();
}

bool Label::FontBold() { touch(); return font_.bold; }
void Label::FontBold(bool b) { touch(); font_.bold = b; font_changed(); }
int Label::FontSize() { touch(); return font_.size; }
void Label::FontSize(int points) { touch(); font_.size = points; font_changed(); }
std::string Label::FontName() { touch(); return font_.name; }
void Label::FontName(const std::string& name) { touch(); font_.name = name; font_changed(); }

void Label::font_changed()
{
    font_.release();
    if (auto_size_)
        fit_to_caption();
    invalidate();
}

bool Label::AutoSize() { touch(); return auto_size_; }

void Label::AutoSize(bool a)
{
    touch();
    auto_size_ = a;
    if (a)
        fit_to_caption();
}

int Label::Alignment() { touch(); return alignment_; }

void Label::Alignment(int a)
{
    touch();
    if (a < 0 || a > 2)
        raise(errInvalidProperty);
    alignment_ = a;
    invalidate();
}

// The label takes the size of its caption, line by line.
void Label::fit_to_caption()
{
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font_.handle());
    TEXTMETRICW tm;
    GetTextMetricsW(dc, &tm);
    long widest = 0, lines = 0;
    std::wistringstream in(wide_text(caption_));
    std::wstring line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == L'\r')
            line.pop_back();
        SIZE s{0, 0};
        GetTextExtentPoint32W(dc, line.c_str(), static_cast<int>(line.size()), &s);
        widest = std::max(widest, static_cast<long>(s.cx));
        ++lines;
    }
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    invalidate();
    width_ = pixels_to_twips_x(widest);
    height_ = pixels_to_twips_y(std::max(1L, lines) * tm.tmHeight);
    apply_geometry();
}

void Label::paint(HDC dc)
{
    RECT r = pixel_rect();
    if (!transparent_) {
        HBRUSH b = CreateSolidBrush(back_);
        FillRect(dc, &r, b);
        DeleteObject(b);
    }
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, active() ? fore_ : GetSysColor(COLOR_GRAYTEXT));
    SelectObject(dc, font_.handle());
    UINT align = alignment_ == 1 ? DT_RIGHT : alignment_ == 2 ? DT_CENTER : DT_LEFT;
    const std::wstring text = wide_text(caption_);
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, align | DT_WORDBREAK | DT_NOPREFIX);
}

RECT Label::focus_rect(HDC dc)
{
    const RECT place = pixel_rect();
    RECT text = place;
    const int saved = SaveDC(dc);
    SelectObject(dc, font_.handle());
    const std::wstring caption = wide_text(caption_);
    DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &text, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    RestoreDC(dc, saved);
    const long width = std::min(text.right - text.left, place.right - place.left);
    if (caption.empty() || width <= 0)
        return Control::focus_rect(dc);
    text.left = alignment_ == 1 ? place.right - width : alignment_ == 2 ? place.left + (place.right - place.left - width) / 2
                                                                        : place.left;
    text.right = text.left + width;
    InflateRect(&text, 1, 1);
    RECT inside;
    IntersectRect(&inside, &text, &place);
    return inside;
}

// ---- PictureBox / Image ----

void PictureBox::create_window(HWND) {}

void PictureBox::reset()
{
    Control::reset();
    picture_.reset();
    auto_size_ = false;
    stretch_ = false;
    back_set_ = false;
    back_ = GetSysColor(COLOR_BTNFACE);
}

void PictureBox::LoadPicture(const std::string& path)
{
    touch();
    set_picture(load_picture_file(path));
}

void PictureBox::LoadResourcePicture(const std::string& resource_name)
{
    touch();
    set_picture(load_picture_resource(resource_name));
}

void PictureBox::ClearPicture()
{
    touch();
    set_picture(nullptr);
}

bool PictureBox::HasPicture() { touch(); return picture_ != nullptr; }

void PictureBox::set_picture(std::shared_ptr<Picture> p)
{
    invalidate();
    picture_ = std::move(p);
    if (auto_size_)
        fit_to_picture();
    invalidate();
}

void PictureBox::fit_to_picture()
{
    if (!picture_)
        return;
    invalidate();
    width_ = pixels_to_twips_x(picture_->width_px);
    height_ = pixels_to_twips_y(picture_->height_px);
    apply_geometry();
}

bool PictureBox::AutoSize() { touch(); return auto_size_; }

void PictureBox::AutoSize(bool a)
{
    touch();
    auto_size_ = a;
    if (a)
        fit_to_picture();
}

bool PictureBox::Stretch() { touch(); return stretch_; }
void PictureBox::Stretch(bool s) { touch(); stretch_ = s; invalidate(); }
COLORREF PictureBox::BackColor() { touch(); return back_; }

void PictureBox::BackColor(COLORREF c)
{
    touch();
    back_ = c;
    back_set_ = true;
    invalidate();
}

long PictureBox::PictureWidth()
{
    touch();
    return picture_ ? pixels_to_twips_x(picture_->width_px) : 0;
}

long PictureBox::PictureHeight()
{
    touch();
    return picture_ ? pixels_to_twips_y(picture_->height_px) : 0;
}

void PictureBox::paint(HDC dc)
{
    RECT r = pixel_rect();
    if (back_set_) {
        HBRUSH b = CreateSolidBrush(back_);
        FillRect(dc, &r, b);
        DeleteObject(b);
    }
    if (picture_)
        draw_picture(dc, *picture_, r, stretch_);
}

// ---- Frame ----

void Frame::create_window(HWND) {}

void Frame::reset()
{
    Control::reset();
    caption_.clear();
    font_.reset();
}

std::string Frame::Caption() { touch(); return caption_; }

void Frame::Caption(const std::string& c)
{
    touch();
    caption_ = c;
    invalidate();
}

std::vector<Control*> Frame::children(const char* kind)
{
    std::vector<Control*> found;
    for (Control* c : Parent().controls())
        if (c->Container() == this && (!kind || std::strcmp(c->kind(), kind) == 0))
            found.push_back(c);
    return found;
}

void Frame::geometry_changed()
{
    for (Control* c : children())
        c->apply_geometry();
}

// An etched group box whose caption interrupts the top edge.
void Frame::paint(HDC dc)
{
    RECT r = pixel_rect();
    SelectObject(dc, font_.handle());
    TEXTMETRICW tm;
    GetTextMetricsW(dc, &tm);
    RECT edge = r;
    edge.top += tm.tmHeight / 2;
    const std::wstring caption = wide_text(caption_);
    SIZE text{0, 0};
    if (!caption.empty())
        GetTextExtentPoint32W(dc, caption.c_str(), static_cast<int>(caption.size()), &text);
    RECT label{r.left + 8, r.top, r.left + 8 + text.cx + 4, r.top + tm.tmHeight};
    int saved = SaveDC(dc);
    if (text.cx > 0)
        ExcludeClipRect(dc, label.left, label.top, label.right, label.bottom);
    DrawEdge(dc, &edge, EDGE_ETCHED, BF_RECT);
    RestoreDC(dc, saved);
    if (text.cx > 0) {
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, active() ? GetSysColor(COLOR_BTNTEXT) : GetSysColor(COLOR_GRAYTEXT));
        TextOutW(dc, label.left + 2, label.top, caption.c_str(), static_cast<int>(caption.size()));
    }
}

} // namespace rt
