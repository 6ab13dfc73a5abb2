#include "tools/FrmShadow.h"
#include "app/Program.h"

namespace pellmaris {

namespace {

constexpr int kExStyleIndex = GWL_EXSTYLE;     // -20
constexpr LONG kLayered = WS_EX_LAYERED;       // 0x80000
constexpr int16_t kShadowAlpha = 100;
constexpr long kShadowOffset = 200;

// The extended style, or nothing when it cannot be read.
bool read_ex_style(HWND window, LONG& style)
{
    SetLastError(ERROR_SUCCESS);
    style = GetWindowLongA(window, kExStyleIndex);
    return style != 0 || GetLastError() == ERROR_SUCCESS;
}

bool write_ex_style(HWND window, LONG style)
{
    SetLastError(ERROR_SUCCESS);
    return SetWindowLongA(window, kExStyleIndex, style) != 0 || GetLastError() == ERROR_SUCCESS;
}

} // namespace

FrmShadow::FrmShadow(Program& app) : rt::Form(app.sys, "FrmShadow"), app(app) {}

void FrmShadow::design()
{
    BorderStyle(rt::bsNone);
    ShowInTaskbar(false);
    BackColor(RGB(0, 0, 0));
    ScaleSize(810, 915);
}

bool FrmShadow::isTransparent(HWND window)
{
    LONG style = 0;
    return read_ex_style(window, style) && (style & kLayered) == kLayered;
}

int32_t FrmShadow::MakeTransparent(HWND window, int16_t Perc)
{
    if (Perc < 0 || Perc > 500)
        return 1;
    // The alpha is a byte: a larger value would leave a layered window without one.
    if (Perc > 255)
        return 2;
    bool failed = false;
    LONG style = 0;
    failed |= !read_ex_style(window, style);
    failed |= !write_ex_style(window, style | kLayered);
    failed |= !SetLayeredWindowAttributes(window, 0, static_cast<BYTE>(Perc), LWA_ALPHA);
    return failed ? 2 : 0;
}

// Without the layered style the window is opaque: no alpha is set, as the system refuses
// one for a window that is not layered.
int32_t FrmShadow::MakeOpaque(HWND window)
{
    bool failed = false;
    LONG style = 0;
    failed |= !read_ex_style(window, style);
    failed |= !write_ex_style(window, style & ~kLayered);
    return failed ? 2 : 0;
}

void FrmShadow::Form_Load()
{
    MakeTransparent(hWnd(), kShadowAlpha);
    Top(app.SearchSplash.Top() + kShadowOffset);
    Left(app.SearchSplash.Left() + kShadowOffset);
    Width(app.SearchSplash.Width());
    Height(app.SearchSplash.Height());
}

} // namespace pellmaris
