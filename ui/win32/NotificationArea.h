#pragma once
// The main window's notices on Win32: a balloon from the program's icon in the notification
// area. The icon goes there with the first notice, so that a run without one leaves the area
// as it was, and goes away with its owner, or the shell keeps a dead icon until the mouse
// passes over it.
#include <windows.h>

#include <string>

namespace zt40::win {

// Where the main window's notices go; a test records them instead of asking the shell.
class INoticeArea {
public:
    virtual ~INoticeArea() = default;
    // One balloon, `title` over `body`; false when the shell took none.
    virtual bool ShowBalloon(const std::wstring& title, const std::wstring& body) = 0;
};

// The program's icon in the notification area, known to the shell by `window` and its id.
class NotificationAreaIcon final : public INoticeArea {
public:
    // The id the icon carries beside its window: the window has no other.
    static constexpr UINT kIconId = 1;

    // `tip` is what the icon shows under the mouse.
    NotificationAreaIcon(HWND window, HICON icon, std::wstring tip);
    ~NotificationAreaIcon() override;
    NotificationAreaIcon(const NotificationAreaIcon&) = delete;
    NotificationAreaIcon& operator=(const NotificationAreaIcon&) = delete;

    bool ShowBalloon(const std::wstring& title, const std::wstring& body) override;

private:
    NOTIFYICONDATAW Data(UINT flags) const;
    bool Add();

    HWND m_window;
    HICON m_icon;
    std::wstring m_tip;
    bool m_added = false;
};

}  // namespace zt40::win
