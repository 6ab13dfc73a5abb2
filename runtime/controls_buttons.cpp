// Buttons and text: CheckBox, OptionButton, CommandButton, TextBox.
#include <algorithm>
#include "runtime/errors.h"
#include "runtime/forms.h"
#include "runtime/forms_internal.h"

namespace rt {

namespace {

void set_text(HWND hwnd, const std::string& text)
{
    if (hwnd)
        SetWindowTextW(hwnd, wide_text(text).c_str());
}

std::string window_text(HWND hwnd)
{
    int n = GetWindowTextLengthW(hwnd);
    std::wstring s(static_cast<size_t>(n) + 1, L'\0');
    n = GetWindowTextW(hwnd, s.data(), n + 1);
    s.resize(static_cast<size_t>(std::max(n, 0)));
    return utf8_text(s);
}

bool clicked(WPARAM wp) { return HIWORD(wp) == BN_CLICKED; }

} // namespace

// ---- CheckBox ----

void CheckBox::create_window(HWND parent)
{
    create_child(parent, "BUTTON", caption_.c_str(), BS_CHECKBOX | WS_TABSTOP);
    SendMessageW(hwnd_, BM_SETCHECK, value_, 0);
}

void CheckBox::reset()
{
    Control::reset();
    caption_.clear();
    value_ = 0;
    fore_ = GetSysColor(COLOR_BTNTEXT);
    fore_set_ = false;
}

std::string CheckBox::Caption() { touch(); return caption_; }

void CheckBox::Caption(const std::string& c)
{
    touch();
    caption_ = c;
    set_text(hwnd_, c);
}

int CheckBox::Value() { touch(); return value_; }

void CheckBox::Value(int v)
{
    touch();
    if (v < 0 || v > 2)
        raise(errInvalidProperty);
    if (v == value_)
        return;
    value_ = v;
    if (hwnd_)
        SendMessageW(hwnd_, BM_SETCHECK, value_, 0);
    raise_from_code(on_click);
}

COLORREF CheckBox::ForeColor() { touch(); return fore_; }

void CheckBox::ForeColor(COLORREF c)
{
    touch();
    fore_ = c;
    fore_set_ = true;
    if (hwnd_)
        InvalidateRect(hwnd_, nullptr, TRUE);
}

bool CheckBox::handle_command(WPARAM wp, LPARAM)
{
    if (!clicked(wp))
        return false;
    value_ = value_ == 1 ? 0 : 1;
    SendMessageW(hwnd_, BM_SETCHECK, value_, 0);
    raise_event(on_click);
    return true;
}

HBRUSH CheckBox::control_color(HDC dc)
{
    if (fore_set_)
        SetTextColor(dc, fore_);
    return Parent().background_brush(dc);
}

// ---- OptionButton ----

void OptionButton::create_window(HWND parent)
{
    create_child(parent, "BUTTON", caption_.c_str(), BS_RADIOBUTTON | WS_TABSTOP);
    SendMessageW(hwnd_, BM_SETCHECK, value_ ? BST_CHECKED : BST_UNCHECKED, 0);
}

void OptionButton::reset()
{
    Control::reset();
    caption_.clear();
    value_ = false;
}

std::string OptionButton::Caption() { touch(); return caption_; }

void OptionButton::Caption(const std::string& c)
{
    touch();
    caption_ = c;
    set_text(hwnd_, c);
}

bool OptionButton::Value() { touch(); return value_; }

void OptionButton::set_checked(bool v)
{
    value_ = v;
    if (hwnd_)
        SendMessageW(hwnd_, BM_SETCHECK, v ? BST_CHECKED : BST_UNCHECKED, 0);
}

void OptionButton::Value(bool v)
{
    touch();
    if (v == value_)
        return;
    if (v) {
        // One option of a container (or of the window) at a time.
        for (Control* c : Parent().controls_of("OptionButton"))
            if (c != this && c->Container() == Container())
                static_cast<OptionButton*>(c)->set_checked(false);
    }
    set_checked(v);
    if (v)
        raise_from_code(on_click);
}

HBRUSH OptionButton::control_color(HDC dc) { return Parent().background_brush(dc); }

// The button window tells of a click when it gets the focus unchosen: the focus alone
// chooses nothing.
void OptionButton::take_focus()
{
    focusing_ = true;
    Control::take_focus();
    focusing_ = false;
}

bool OptionButton::handle_command(WPARAM wp, LPARAM)
{
    if (!clicked(wp) || focusing_)
        return false;
    if (value_)
        raise_event(on_click);
    else
        raise_event([this] { Value(true); });
    return true;
}

// ---- CommandButton ----

void CommandButton::create_window(HWND parent)
{
    create_child(parent, "BUTTON", caption_.c_str(), (default_ ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON) | WS_TABSTOP);
}

void CommandButton::reset()
{
    Control::reset();
    caption_.clear();
    default_ = false;
    cancel_ = false;
}

std::string CommandButton::Caption() { touch(); return caption_; }

void CommandButton::Caption(const std::string& c)
{
    touch();
    caption_ = c;
    set_text(hwnd_, c);
}

bool CommandButton::Default() { touch(); return default_; }

void CommandButton::Default(bool d)
{
    touch();
    default_ = d;
    if (hwnd_)
        SendMessageW(hwnd_, BM_SETSTYLE, d ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
}

bool CommandButton::Cancel() { touch(); return cancel_; }
void CommandButton::Cancel(bool c) { touch(); cancel_ = c; }

bool CommandButton::handle_command(WPARAM wp, LPARAM)
{
    if (!clicked(wp))
        return false;
    raise_event(on_click);
    return true;
}

// ---- TextBox ----

void TextBox::create_window(HWND parent)
{
    DWORD style = WS_TABSTOP | ES_AUTOHSCROLL | ES_LEFT;
    if (multi_line_)
        style |= ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN | WS_VSCROLL;
    if (password_char_)
        style |= ES_PASSWORD;
    if (locked_)
        style |= ES_READONLY;
    setting_text_ = true;
    create_child(parent, "EDIT", text_.c_str(), style, WS_EX_CLIENTEDGE);
    if (password_char_)
        SendMessageW(hwnd_, EM_SETPASSWORDCHAR, static_cast<unsigned char>(password_char_), 0);
    setting_text_ = false;
}

void TextBox::reset()
{
    Control::reset();
    text_.clear();
    password_char_ = 0;
    locked_ = false;
    multi_line_ = false;
    setting_text_ = false;
}

std::string TextBox::Text() { touch(); return text_; }

void TextBox::Text(const std::string& t)
{
    touch();
    if (t == text_)
        return;
    text_ = t;
    if (hwnd_) {
        setting_text_ = true;
        set_text(hwnd_, t);
        setting_text_ = false;
    }
    raise_from_code(on_change);
}

char TextBox::PasswordChar() { touch(); return password_char_; }

void TextBox::PasswordChar(char c)
{
    touch();
    password_char_ = c;
    if (hwnd_) {
        SendMessageW(hwnd_, EM_SETPASSWORDCHAR, static_cast<unsigned char>(c), 0);
        InvalidateRect(hwnd_, nullptr, TRUE);
    }
}

bool TextBox::Locked() { touch(); return locked_; }

void TextBox::Locked(bool l)
{
    touch();
    locked_ = l;
    if (hwnd_)
        SendMessageW(hwnd_, EM_SETREADONLY, l, 0);
}

bool TextBox::MultiLine() { touch(); return multi_line_; }
void TextBox::MultiLine(bool m) { touch(); multi_line_ = m; }

void TextBox::SetFocus()
{
    touch();
    if (hwnd_)
        ::SetFocus(hwnd_);
}

bool TextBox::handle_command(WPARAM wp, LPARAM)
{
    if (HIWORD(wp) != EN_CHANGE)
        return false;
    if (setting_text_)
        return true;
    text_ = window_text(hwnd_);
    raise_event(on_change);
    return true;
}

} // namespace rt
