#pragma once
// The default theme of the area-selection window and the own-locations editor.
#include <string>
#include <windows.h>
#include "runtime/forms.h"

namespace pellmaris::theme {

// Layouts are drawn on a 96-dpi pixel grid (15 twips a pixel).
constexpr long px(long pixels) { return pixels * 15; }

const COLORREF kWindowBack = RGB(0xE7, 0xF0, 0xF4);
const COLORREF kInk = RGB(0x0B, 0x1F, 0x3A);
const COLORREF kMuted = RGB(0x3C, 0x52, 0x6B);
inline constexpr const char* kFont = "Tahoma";

// A fixed window titled with the product name, its client area in pixels.
inline void dress_window(rt::Form& form, long width, long height)
{
    form.Caption(rt::AppTitle);
    form.BorderStyle(rt::bsFixedSingle);
    form.BackColor(kWindowBack);
    form.SetIcon("1");
    form.ScaleSize(px(width), px(height));
}

// A label over the window's back colour in the clickable labels' normal look; place in pixels.
inline void place_label(rt::Label& label, const std::string& caption, long left, long top, long width, long height)
{
    label.Caption(caption);
    label.Transparent(true);
    label.Font(kFont, 8);
    label.ForeColor(rt::QBColor(0));
    label.Move(px(left), px(top), px(width), px(height));
}

} // namespace pellmaris::theme
