#include "ui/win32/WinMessageBox.h"

#include "app/CPinwardenDlg.h"
#include "ui/win32/WinText.h"

namespace zt40::win {

namespace {

bool OwnedBy(HWND window, HWND main) {
    for (HWND at = window; at != nullptr; at = GetWindow(at, GW_OWNER)) {
        if (at == main) return true;
    }
    return false;
}

UINT Style(MbButtons buttons, MbIcon icon) {
    UINT style = buttons == MbButtons::OkCancel      ? MB_OKCANCEL
                 : buttons == MbButtons::RetryCancel ? MB_RETRYCANCEL
                 : buttons == MbButtons::YesNo       ? MB_YESNO
                                                     : MB_OK;
    switch (icon) {
    case MbIcon::None:
        break;
    case MbIcon::Information:
        style |= MB_ICONINFORMATION;
        break;
    case MbIcon::Warning:
        style |= MB_ICONWARNING;
        break;
    case MbIcon::Error:
        style |= MB_ICONERROR;
        break;
    }
    return style;
}

}  // namespace

HWND TopmostProgramWindow(HWND main) {
    if (main == nullptr) return nullptr;
    const DWORD thread = GetCurrentThreadId();
    // Top-level windows from the top of the z-order down.
    for (HWND at = GetTopWindow(nullptr); at != nullptr; at = GetWindow(at, GW_HWNDNEXT)) {
        if (GetWindowThreadProcessId(at, nullptr) != thread) continue;
        if (!IsWindowVisible(at) || !IsWindowEnabled(at)) continue;
        if (OwnedBy(at, main)) return at;
    }
    return main;
}

MbResult WinMessageBox::Show(const Message& message, MbButtons buttons, MbIcon icon) {
    return ShowText(Render(message), buttons, icon);
}

MbResult WinMessageBox::ShowText(const std::wstring& text, MbButtons buttons, MbIcon icon) {
    const std::wstring caption = Translate(kWindowCaption);
    const int pressed = MessageBoxW(TopmostProgramWindow(m_main), text.c_str(), caption.c_str(), Style(buttons, icon));
    // A box closed any other way than with one of its buttons counts as Cancel, or as No for
    // a question (a Yes/No box has no close box of its own).
    if (pressed == IDOK) return MbResult::Ok;
    if (pressed == IDRETRY) return MbResult::Retry;
    if (pressed == IDYES) return MbResult::Yes;
    if (buttons == MbButtons::YesNo) return MbResult::No;
    return MbResult::Cancel;
}

}  // namespace zt40::win
