#pragma once
// Whether a control shows its text whole, measured in the control's own font and width as the
// system draws it.
#include <windows.h>

#include <algorithm>
#include <string>

namespace zt40::win {

// How far the control's text runs past the control, in pixels across and down; 0, 0 when whole.
inline SIZE Overrun(HWND control) {
    wchar_t text[512] = {};
    GetWindowTextW(control, text, 512);
    wchar_t kind[32] = {};
    GetClassNameW(control, kind, 32);
    // A push button's text is one line inside its frame; a static's wraps at words.
    const bool button = std::wstring(kind) == L"Button";
    RECT client{};
    GetClientRect(control, &client);
    const LONG width = client.right - (button ? 2 * GetSystemMetrics(SM_CXEDGE) + 4 : 0);
    HDC dc = GetDC(control);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
    RECT needed{0, 0, width, 0};
    DrawTextW(dc, text, -1, &needed, DT_CALCRECT | (button ? DT_SINGLELINE : DT_WORDBREAK) | DT_EXPANDTABS);
    SelectObject(dc, old);
    ReleaseDC(control, dc);
    return {std::max(0L, needed.right - width), std::max(0L, needed.bottom - client.bottom)};
}

}  // namespace zt40::win
