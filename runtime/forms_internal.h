#pragma once
// Private helpers shared by the window and control files of the run-time library.
#include <windows.h>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include "runtime/forms.h"
#include "runtime/unicode.h"

namespace rt {

// Messages the layer posts to its own windows.
constexpr UINT kSyncMessage = WM_APP + 0x51;   // mirror changed controls into their windows

// A picture decoded to a bitmap at its natural size.
struct Picture {
    HBITMAP bitmap = nullptr;
    int width_px = 0, height_px = 0;
    Picture() = default;
    Picture(const Picture&) = delete;
    Picture& operator=(const Picture&) = delete;
    ~Picture();
};

// Raise 53 for a missing file or resource, 481 for data that is no picture.
std::shared_ptr<Picture> load_picture_file(const std::string& path);
std::shared_ptr<Picture> load_picture_resource(const std::string& name);
// At its natural size from the rectangle's top-left corner (clipped), or stretched over it.
void draw_picture(HDC dc, const Picture& picture, const RECT& place, bool stretch);

// Text for the W functions. The program's strings are UTF-8; a string that is not (a
// fault elsewhere) shows its bad bytes as U+FFFD rather than failing in a paint.
std::wstring wide_text(const std::string& utf8_text);
// Text a W function returned, as UTF-8.
std::string utf8_text(const std::wstring& text);
std::string utf8_text(const wchar_t* text);

// Screen pixels per logical inch.
int dpi_x();
int dpi_y();

HINSTANCE module_instance();

// The state of a loaded window; made afresh at every unload.
struct Form::Impl {
    HWND hwnd = nullptr;
    HWND tooltip = nullptr;
    std::string caption;
    long left = 0, top = 0, width = 4800, height = 3600;   // outer, twips
    bool position_set = false;
    std::optional<std::pair<long, long>> client_size;       // asked for by ScaleSize
    bool visible = false, enabled = true;
    int window_state = vbNormal;
    int border_style = bsSizable;
    bool show_in_taskbar = true, control_box = true;
    COLORREF back_color = GetSysColor(COLOR_BTNFACE);
    HBRUSH back_brush = nullptr;
    std::shared_ptr<Picture> picture;
    HICON icon = nullptr;
    bool creating = false, unloading = false;
    int pending_mode = vbFormCode;
    Control* pressed = nullptr;     // the control a left button went down on
    bool pressed_on_window = false;
    bool sync_posted = false;
    bool designing = false;
    int design_touches = 0;
    Control* focus = nullptr;       // the control that has, or last had, the focus
    bool close_on_escape = false;

    Impl() = default;
    Impl(const Impl&) = delete;
    Impl& operator=(const Impl&) = delete;
    ~Impl()
    {
        if (back_brush)
            DeleteObject(back_brush);
    }
    HBRUSH brush()
    {
        if (!back_brush)
            back_brush = CreateSolidBrush(back_color);
        return back_brush;
    }
};

// Runs code as one of the window's handlers: an Unload asked for meanwhile runs at its end.
// Errors pass on to the caller.
void as_handler(Form& form, const std::function<void()>& code);

// Runs code and shows any error that escapes it in a message box.
void reporting_errors(System& sys, const std::function<void()>& code);

// A hidden top-level window that owns the windows kept out of the taskbar.
HWND parking_window();

} // namespace rt
