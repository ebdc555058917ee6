#pragma once
// The simulated ZT-40's control window beside the main window under --simulate: the operator
// plugs and unplugs the printer and its queue, switches it off and on, makes it busy or answer
// errors, sets its pin counters and sees the jobs it printed. It has no owner, so the modal
// dialogs that disable the main window leave it usable: a head replacement's sheet waits for
// the very plug and power switches it holds.
#include <windows.h>

#include <cstddef>

#include "platform/sim/SimPrinterRig.h"
#include "ui/win32/Controls.h"

namespace zt40::win {

class SimulatorWindow {
public:
    // The rig must outlive the window.
    explicit SimulatorWindow(SimPrinterRig& rig);
    ~SimulatorWindow();
    SimulatorWindow(const SimulatorWindow&) = delete;
    SimulatorWindow& operator=(const SimulatorWindow&) = delete;

    // Creates and shows the window with its top-left corner at (x, y), in screen pixels.
    bool Create(int x, int y);
    HWND Handle() const { return m_window; }

    // Takes what changed on the printer or spooler behind the window's back (a pin change, a
    // wizard resetting counters, a new job) into the controls; the window's timer calls it too.
    void Sync();

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void CreateControls();
    void OnCommand(int id, int code);
    void SyncJobs();
    HWND Control(int id) const { return GetDlgItem(m_window, id); }

    SimPrinterRig& m_rig;
    HWND m_window = nullptr;
    FontHandle m_font;  // the system's message font
    bool m_syncing = false;  // the controls are being set from the printer, not by the operator
    std::size_t m_jobsShown = 0;
};

}  // namespace zt40::win
