// The input box: a prompt, a text field, OK and Cancel, modal to the program's windows.
#include <windows.h>
#include "runtime/forms_internal.h"
#include "runtime/services.h"

namespace rt {

namespace {

const wchar_t* const kInputBoxClass = L"PellmarisInputBox";
constexpr int kEditId = 100;

struct InputBoxState {
    HWND edit = nullptr;
    bool done = false;
    bool accepted = false;
    std::string text;
};

LRESULT CALLBACK input_box_proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    auto* state = reinterpret_cast<InputBoxState*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    switch (msg) {
    case WM_NCCREATE:
        SetWindowLongPtrW(hwnd, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams));
        break;
    case WM_COMMAND:
        if (!state || HIWORD(wp) != BN_CLICKED)
            break;
        if (LOWORD(wp) == IDOK) {
            int n = GetWindowTextLengthW(state->edit);
            std::wstring text(static_cast<size_t>(n) + 1, L'\0');
            n = GetWindowTextW(state->edit, text.data(), n + 1);
            text.resize(static_cast<size_t>(n > 0 ? n : 0));
            state->text = utf8_text(text);
            state->accepted = true;
            state->done = true;
        } else if (LOWORD(wp) == IDCANCEL) {
            state->done = true;
        }
        return 0;
    case WM_CLOSE:
        if (state)
            state->done = true;
        return 0;
    default: break;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

void register_input_box_class()
{
    static bool registered = false;
    if (registered)
        return;
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = input_box_proc;
    wc.hInstance = module_instance();
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    wc.lpszClassName = kInputBoxClass;
    registered = RegisterClassExW(&wc) != 0;
}

HWND add_child(HWND parent, const wchar_t* cls, const std::string& text, DWORD style, int id, int x, int y, int w,
               int h, DWORD ex = 0)
{
    HWND child = CreateWindowExW(ex, cls, wide_text(text).c_str(), WS_CHILD | WS_VISIBLE | style, x, y, w, h, parent,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), module_instance(), nullptr);
    SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    return child;
}

} // namespace

std::optional<std::string> show_input_box(const std::string& prompt, const std::string& title,
                                          const std::string& default_text, std::optional<POINT> place)
{
    register_input_box_class();
    InputBoxState state;
    HWND owner = GetActiveWindow();
    const int width = 380, height = 160;
    RECT frame{0, 0, width, height};
    DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
    AdjustWindowRectEx(&frame, style, FALSE, WS_EX_DLGMODALFRAME);
    int outer_w = frame.right - frame.left, outer_h = frame.bottom - frame.top;
    int x = (GetSystemMetrics(SM_CXSCREEN) - outer_w) / 2, y = (GetSystemMetrics(SM_CYSCREEN) - outer_h) / 3;
    if (place) {
        x = place->x;
        y = place->y;
    }
    HWND box = CreateWindowExW(WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT, kInputBoxClass, wide_text(title).c_str(), style, x, y,
                               outer_w, outer_h, owner, nullptr, module_instance(), &state);
    if (!box)
        return std::nullopt;
    add_child(box, L"STATIC", prompt, SS_LEFT | SS_NOPREFIX, -1, 10, 10, 270, 90);
    add_child(box, L"BUTTON", "OK", BS_DEFPUSHBUTTON | WS_TABSTOP, IDOK, 290, 10, 80, 26);
    add_child(box, L"BUTTON", "Cancel", BS_PUSHBUTTON | WS_TABSTOP, IDCANCEL, 290, 42, 80, 26);
    state.edit = add_child(box, L"EDIT", default_text, ES_AUTOHSCROLL | WS_TABSTOP, kEditId, 10, 120, 360, 24,
                           WS_EX_CLIENTEDGE);

    if (owner)
        EnableWindow(owner, FALSE);
    ShowWindow(box, SW_SHOW);
    SetFocus(state.edit);
    SendMessageW(state.edit, EM_SETSEL, 0, -1);
    MSG msg;
    bool quit = false;
    while (!state.done) {
        BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got <= 0) {
            quit = true;
            break;
        }
        if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE && (msg.hwnd == box || IsChild(box, msg.hwnd))) {
            state.done = true;
            continue;
        }
        if (IsDialogMessageW(box, &msg))
            continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    if (owner)
        EnableWindow(owner, TRUE);
    DestroyWindow(box);
    if (owner)
        SetActiveWindow(owner);
    if (quit) {
        PostQuitMessage(static_cast<int>(msg.wParam));
        return std::nullopt;
    }
    if (!state.accepted)
        return std::nullopt;
    return state.text;
}

} // namespace rt
