// Twips, the screen and the 16-colour palette.
#include "runtime/errors.h"
#include "runtime/forms.h"
#include "runtime/forms_internal.h"

namespace rt {

namespace {

int device_caps(int index)
{
    HDC dc = GetDC(nullptr);
    int v = GetDeviceCaps(dc, index);
    ReleaseDC(nullptr, dc);
    return v > 0 ? v : 96;
}

constexpr long kTwipsPerInch = 1440;

int dpi_override = 0;   // set by a ScreenScaling

// The program is system-DPI aware: its DPI stays as it started, so it is read once (each
// read takes a screen DC, and twips are converted for every move of every control).
int system_dpi_x()
{
    static const int dpi = device_caps(LOGPIXELSX);
    return dpi;
}
int system_dpi_y()
{
    static const int dpi = device_caps(LOGPIXELSY);
    return dpi;
}

} // namespace

int dpi_x() { return dpi_override ? dpi_override : system_dpi_x(); }
int dpi_y() { return dpi_override ? dpi_override : system_dpi_y(); }

ScreenScaling::ScreenScaling(int dpi) : previous_(dpi_override) { dpi_override = dpi; }
ScreenScaling::~ScreenScaling() { dpi_override = previous_; }

COLORREF QBColor(int n)
{
    static const COLORREF palette[16] = {
        RGB(0, 0, 0),       RGB(0, 0, 128),     RGB(0, 128, 0),   RGB(0, 128, 128),
        RGB(128, 0, 0),     RGB(128, 0, 128),   RGB(128, 128, 0), RGB(192, 192, 192),
        RGB(128, 128, 128), RGB(0, 0, 255),     RGB(0, 255, 0),   RGB(0, 255, 255),
        RGB(255, 0, 0),     RGB(255, 0, 255),   RGB(255, 255, 0), RGB(255, 255, 255),
    };
    if (n < 0 || n > 15)
        raise(errInvalidCall);
    return palette[n];
}

// MulDiv rounds to the nearest value, negative numbers included.
long twips_to_pixels_x(long twips) { return MulDiv(twips, dpi_x(), kTwipsPerInch); }
long twips_to_pixels_y(long twips) { return MulDiv(twips, dpi_y(), kTwipsPerInch); }
long pixels_to_twips_x(long pixels) { return MulDiv(pixels, kTwipsPerInch, dpi_x()); }
long pixels_to_twips_y(long pixels) { return MulDiv(pixels, kTwipsPerInch, dpi_y()); }

double Screen::TwipsPerPixelX() { return static_cast<double>(kTwipsPerInch) / dpi_x(); }
double Screen::TwipsPerPixelY() { return static_cast<double>(kTwipsPerInch) / dpi_y(); }
long Screen::Width() { return pixels_to_twips_x(GetSystemMetrics(SM_CXSCREEN)); }
long Screen::Height() { return pixels_to_twips_y(GetSystemMetrics(SM_CYSCREEN)); }

RECT Screen::WorkArea()
{
    RECT r{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &r, 0);
    return RECT{pixels_to_twips_x(r.left), pixels_to_twips_y(r.top), pixels_to_twips_x(r.right),
                pixels_to_twips_y(r.bottom)};
}

std::wstring wide_text(const std::string& utf8_text)
{
    try {
        return utf16(utf8_text);
    } catch (const RuntimeError&) {
        return utf16(utf8_from_code_page(utf8_text, CP_UTF8));
    }
}

std::string utf8_text(const std::wstring& text) { return utf8(text); }
std::string utf8_text(const wchar_t* text) { return text ? utf8(text) : std::string(); }

HINSTANCE module_instance() { return GetModuleHandleW(nullptr); }

HWND parking_window()
{
    static HWND window = nullptr;
    if (!window || !IsWindow(window))
        window = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, module_instance(), nullptr);
    return window;
}

} // namespace rt
