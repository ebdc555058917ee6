#pragma once
// Message boxes captioned "ZT-40 Pinwarden", owned by the program's topmost enabled window, so
// that a box opened during a wizard sits over the wizard and blocks nothing else of the desktop
// (the simulator's window stays usable).
#include <windows.h>

#include <string>

#include "platform/MessageBox.h"

namespace zt40::win {

// The topmost visible, enabled window of this thread that is `main` or owned by it, through
// any number of owners; `main` when there is none.
HWND TopmostProgramWindow(HWND main);

class WinMessageBox final : public IMessageBox {
public:
    // `main` may be set later, when the window exists; until then the boxes have no owner.
    explicit WinMessageBox(HWND main = nullptr) : m_main(main) {}
    void SetMainWindow(HWND main) { m_main = main; }

    MbResult Show(const Message& message, MbButtons buttons, MbIcon icon) override;
    MbResult ShowText(const std::wstring& text, MbButtons buttons, MbIcon icon);

private:
    HWND m_main;
};

}  // namespace zt40::win
