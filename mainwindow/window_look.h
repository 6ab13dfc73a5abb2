#pragma once
// The look the small windows of the main-window family share: the palette of the built-in
// pictures, their fonts, and pictures that may be missing.
#include <string>
#include "runtime/forms.h"

namespace pellmaris::look {

// Layouts are drawn on a 96-dpi pixel grid (15 twips a pixel).
constexpr long px(long pixels) { return pixels * 15; }

inline const COLORREF kWindowBack = RGB(0xE7, 0xF0, 0xF4);
inline const COLORREF kInk = RGB(0x0B, 0x1F, 0x3A);
inline const COLORREF kLink = RGB(0x0E, 0x6E, 0x7C);

// The window's back colour and its built-in background picture.
void window(rt::Form& form, const char* background_resource);
// A plain caption and a clickable one with a tool tip.
void text(rt::Label& label, const std::string& caption);
void link(rt::Label& label, const std::string& caption, const std::string& tip);
// A picture file of the classic skin; a missing or broken file leaves the picture there is.
void skin_picture(rt::Form& form, const std::string& path);

} // namespace pellmaris::look
