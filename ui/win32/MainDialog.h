#pragma once
// The main window on Win32: dialog 102 from the program's resources in the edition's font,
// carrying out what the main dialog's logic decides and forwarding the operator's actions to it.
#include <windows.h>

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/CPinwardenDlg.h"
#include "app/PinwardenView.h"
#include "app/UsageBar.h"
#include "platform/DeviceChangeMonitor.h"
#include "ui/win32/NotificationArea.h"
#include "ui/win32/WinMessageBox.h"
#include "ui/win32/WinText.h"

namespace zt40::win {

class MainDialog final : public IPinwardenView {
public:
    // Runs a wizard modally over `owner`; ID_WIZFINISH when it was finished.
    using WizardRunner = std::function<int(WizardKind kind, HWND owner)>;

    MainDialog() = default;
    ~MainDialog() override;
    MainDialog(const MainDialog&) = delete;
    MainDialog& operator=(const MainDialog&) = delete;

    // Creates the window, hidden, from the edition's dialog; false when it cannot be created.
    bool Create(Language language);
    HWND Window() const { return m_window; }
    // The logic the window forwards to; it must outlive the window's events.
    void Attach(CPinwardenDlg& dialog) { m_dialog = &dialog; }
    void SetWizardRunner(WizardRunner runner) { m_wizardRunner = std::move(runner); }
    // Called after each timer tick the logic has handled, with its id.
    void SetTimerHandled(std::function<void(int)> handled) { m_timerHandled = std::move(handled); }
    // A command of the program's own in the window's menu, after the logic's.
    void AddCommand(int commandId, Text text, std::function<void()> run);
    // The notice that devices came or went reaches the logic through the window's queue.
    void WatchDeviceChanges(IDeviceChangeMonitor& monitor);
    // The message boxes for the program's other parts, owned like the window's own.
    WinMessageBox& Messages() { return m_messages; }
    // Where the wear notices go instead of the notification area; it must outlive the window.
    void SetNoticeArea(INoticeArea& area) { m_noticeArea = &area; }

    // The session's pause between status reads: messages are handled meanwhile, so the window
    // repaints and the simulator stays usable. Until a wait's window is up (a pause outside a
    // wait), the operator's input waits in the queue.
    void PauseWithEvents(std::uint32_t ms);
    // Paints, timers and notices (the session defers a notice during a command); no key or click.
    void PauseInCommand(std::uint32_t ms, IClock& clock) override;
    // The wait's window while one is shown, else null.
    HWND WaitWindow() const { return m_wait; }

    // Dispatches messages until the window is destroyed; the program's exit status.
    int Run();
    // Closes the window as its close box does, the program then ending with `exitStatus`.
    void EndProgram(int exitStatus);

    // IPinwardenView
    int StartTimer(int timerId, std::uint32_t periodMs) override;
    void StopTimer(int timerId) override;
    void AppendMenuItem(int commandId, Text text) override;
    MbResult ShowMessage(const Message& message, MbButtons buttons, MbIcon icon) override;
    void Render(const MainWindowState& state) override;
    void Repaint() override;
    void ShowAbout() override;
    void NotifyWear(const std::vector<BandCrossing>& crossings) override;
    int RunWizard(WizardKind kind) override;
    void DestroyWindow() override;

private:
    struct MenuCommand {
        int id;
        std::wstring text;
        bool enabled = true;
        std::function<void()> run;  // empty: the logic's command
    };

    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static INT_PTR CALLBACK WaitProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR Handle(UINT message, WPARAM wParam, LPARAM lParam);
    void OnInitDialog();
    bool OnCommand(int id, int code);
    bool RunMenuCommand(int id);
    void ShowContextMenu(LPARAM at);
    // Marker k's rectangle in the window's client coordinates: where bar k is painted.
    BarRect Marker(int k) const;
    void PaintBars(HDC dc) const;
    void CreateBarTips();
    void RenderData(const DialogData& shown);
    void RenderWait(const std::optional<WaitView>& wait);
    void EnableControl(int controlId, bool enable);
    void EnableMenuItem(int commandId, bool enable);
    void ShowWaitWindow();
    void EndWait();
    void Close();
    // Handles what is queued; with `input` false the operator's keys and clicks stay queued.
    void Pump(bool input);
    void PauseFor(std::uint32_t ms, bool input);

    HWND m_window = nullptr;
    Language m_language = Language::English;
    CPinwardenDlg* m_dialog = nullptr;
    WizardRunner m_wizardRunner;
    std::function<void(int)> m_timerHandled;
    WinMessageBox m_messages;
    IDeviceChangeMonitor* m_monitor = nullptr;
    INoticeArea* m_noticeArea = nullptr;
    std::optional<NotificationAreaIcon> m_trayIcon;  // from the first notice to the program's end
    std::vector<MenuCommand> m_menu;
    std::vector<int> m_timers;
    std::array<std::int32_t, kPinCount> m_counts{};
    bool m_greyed = true;
    bool m_offerShown = false;
    HWND m_tips = nullptr;  // the bars' tips; destroyed with the window that owns it
    std::array<std::wstring, kPinCount> m_tipTexts;
    bool m_busyCursor = false;
    bool m_destroyed = false;
    int m_exitStatus = 0;

    // The wait the state announced: shown as a window once the first pause comes.
    struct WaitShown {
        std::wstring text;
        bool cancellable = false;
        bool begun = false;
    } m_waitState;
    HWND m_wait = nullptr;
    HWND m_waitOwner = nullptr;  // disabled while the wait shows
};

}  // namespace zt40::win
