#pragma once
// The window as the main dialog's logic sees it. The logic decides what is shown and
// enabled when (app/MainWindowModel.h); an implementation only paints that state on its
// toolkit (the Qt window, the Win32 dialog, a recording double in tests) and forwards the
// operator's events. Every call comes from the user-interface thread.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "app/MainWindowModel.h"
#include "platform/Clock.h"
#include "platform/MessageBox.h"
#include "platform/Text.h"
#include "record/WearForecast.h"

namespace zt40 {

enum class WizardKind { ReplaceHead, ReadjustPins };

class IPinwardenView {
public:
    virtual ~IPinwardenView() = default;

    // Starts a periodic timer whose ticks come back as the dialog's OnTimer(returned id).
    // Returns the timer's id, never 0; 0 when no timer could be started.
    virtual int StartTimer(int timerId, std::uint32_t periodMs) = 0;
    // Stops the timer StartTimer returned; an id of 0 or one already stopped is ignored.
    virtual void StopTimer(int timerId) = 0;

    // Adds a command to the window's menu (the original system menu), after a separator; the
    // state's actionsEnabled greys or enables it with the buttons.
    virtual void AppendMenuItem(int commandId, Text text) = 0;

    // A modal message box captioned with the application's name; returns the button pressed
    // (Cancel for a box closed any other way). Poll ticks may arrive while it is open.
    virtual MbResult ShowMessage(const Message& message, MbButtons buttons, MbIcon icon) = 0;

    // A failed action: its reason and what to do, in a warning box. Every window shows it so.
    virtual void TellFailure(const Message& what, const std::optional<Message>& why) {
        ShowMessage(why ? what.Then(*why) : what, MbButtons::Ok, MbIcon::Warning);
    }

    // Paints `state` as it stands: called whenever any of it changes.
    virtual void Render(const MainWindowState& state) = 0;
    // Repaints the whole client area, bars included, with the background erased.
    virtual void Repaint() = 0;
    // The pause of a command waiting for the printer's answer (up to its 5 s time-out). A window
    // paints meanwhile and runs its timers, but handles no click or device notice before the
    // command has ended: either could start another command on the same device. Without an
    // event loop, the platform's clock pauses.
    virtual void PauseInCommand(std::uint32_t ms, IClock& clock) { clock.Pause(ms); }

    // Runs the About box modally.
    virtual void ShowAbout() = 0;
    // Runs a wizard modally with the dialog as its parent; ID_WIZFINISH when the operator
    // pressed Finish, any other value otherwise.
    virtual int RunWizard(WizardKind kind) = 0;

    // Destroys the window; the dialog has stopped its timer before. Ends the program.
    virtual void DestroyWindow() = 0;

    // Pins that entered the yellow or the red band since the printer's previous counter
    // sample, each told once; a desktop notice where the system has one, nothing otherwise.
    virtual void NotifyWear(const std::vector<BandCrossing>& crossings) { static_cast<void>(crossings); }
};

}  // namespace zt40
