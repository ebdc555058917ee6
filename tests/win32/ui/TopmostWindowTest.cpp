// Which window a message box or a wizard is owned by: the topmost enabled window of the program
// that belongs to the main window, never a window beside it such as the simulator's.
#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "ui/win32/WinMessageBox.h"

namespace zt40::win {
namespace {

// Top-level windows of this thread, destroyed when the test ends.
class Windows {
public:
    ~Windows() {
        // Owned windows before their owners.
        for (auto at = m_made.rbegin(); at != m_made.rend(); ++at) DestroyWindow(*at);
    }
    HWND Make(HWND owner, bool visible = true) {
        HWND window = CreateWindowExW(0, L"STATIC", L"", WS_POPUP | (visible ? WS_VISIBLE : 0), 10, 10, 50, 50, owner,
                                      nullptr, GetModuleHandleW(nullptr), nullptr);
        m_made.push_back(window);
        // Each new window on top, as a window the program opens last is.
        SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        return window;
    }

private:
    std::vector<HWND> m_made;
};

TEST(TopmostProgramWindowTest, PicksTheTopmostEnabledWindowOwnedThroughTheMainWindow) {
    Windows windows;
    const HWND main = windows.Make(nullptr);
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(TopmostProgramWindow(main), main) << "alone";

    const HWND sheet = windows.Make(main);
    EXPECT_EQ(TopmostProgramWindow(main), sheet) << "a wizard over the window";

    // The simulator's window comes on top, but belongs to nobody.
    windows.Make(nullptr);
    EXPECT_EQ(TopmostProgramWindow(main), sheet) << "the simulator is never an owner";

    // A box over the sheet, owned by it: owned through the main window at one remove.
    const HWND box = windows.Make(sheet);
    EXPECT_EQ(TopmostProgramWindow(main), box);

    // A disabled window (the sheet while its box is open) is passed over, as is a hidden one.
    EnableWindow(box, FALSE);
    EXPECT_EQ(TopmostProgramWindow(main), sheet);
    ShowWindow(sheet, SW_HIDE);
    EXPECT_EQ(TopmostProgramWindow(main), main);
    EnableWindow(main, FALSE);
    EXPECT_EQ(TopmostProgramWindow(main), main) << "with nothing enabled, the main window still owns";
}

TEST(TopmostProgramWindowTest, NoMainWindowMeansNoOwner) { EXPECT_EQ(TopmostProgramWindow(nullptr), nullptr); }

}  // namespace
}  // namespace zt40::win
