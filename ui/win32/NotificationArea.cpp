#include "ui/win32/NotificationArea.h"

#include <shellapi.h>

#include <algorithm>
#include <span>
#include <utility>

namespace zt40::win {

namespace {

// The shell's fields are fixed arrays: a longer text is cut, never left without its end.
void CopyInto(std::span<wchar_t> field, const std::wstring& text) {
    const std::size_t length = std::min(text.size(), field.size() - 1);
    std::copy_n(text.begin(), length, field.begin());
    field[length] = L'\0';
}

}  // namespace

NotificationAreaIcon::NotificationAreaIcon(HWND window, HICON icon, std::wstring tip)
    : m_window(window), m_icon(icon), m_tip(std::move(tip)) {}

NotificationAreaIcon::~NotificationAreaIcon() {
    if (!m_added) return;
    NOTIFYICONDATAW data = Data(0);
    Shell_NotifyIconW(NIM_DELETE, &data);
}

NOTIFYICONDATAW NotificationAreaIcon::Data(UINT flags) const {
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof data;
    data.hWnd = m_window;
    data.uID = kIconId;
    data.uFlags = flags;
    return data;
}

bool NotificationAreaIcon::Add() {
    if (m_added) return true;
    NOTIFYICONDATAW data = Data(NIF_ICON | NIF_TIP);
    data.hIcon = m_icon;
    CopyInto(data.szTip, m_tip);
    m_added = Shell_NotifyIconW(NIM_ADD, &data) != FALSE;
    return m_added;
}

bool NotificationAreaIcon::ShowBalloon(const std::wstring& title, const std::wstring& body) {
    if (m_window == nullptr || !Add()) return false;
    NOTIFYICONDATAW data = Data(NIF_INFO);
    CopyInto(data.szInfoTitle, title);
    CopyInto(data.szInfo, body);
    // A pin entering a band is a warning, whichever band: the text says how urgent.
    data.dwInfoFlags = NIIF_WARNING;
    return Shell_NotifyIconW(NIM_MODIFY, &data) != FALSE;
}

}  // namespace zt40::win
