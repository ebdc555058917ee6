#pragma once
// The window as the main dialog's logic sees it. The logic decides what is shown and
// enabled when; an implementation only carries it out on its toolkit (the Qt window in the
// program, a recording double in tests). Every call comes from the user-interface thread.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/Clock.h"
#include "platform/PinRange.h"
#include "platform/MessageBox.h"
#include "platform/Text.h"
#include "record/WearForecast.h"
#include "session/Outcome.h"

namespace zt40 {

enum class WizardKind { ReplaceHead, ReadjustPins };

// What the controls show: the members pushed into them (the dialog's UpdateData(FALSE)).
struct DialogData {
    std::int32_t selectedPin = -1;  // index 0..8 of the checked pin button; any other value checks none
    std::array<std::int32_t, kPinCount> shownUsage{};  // the counts the usage bars show, pin 1 first
    std::array<PinForecast, kPinCount> forecast{};     // each bar's wear forecast, for its tip
    bool connected = false;    // the bars are greyed while the printer is not connected
    std::string lastRead;      // local time of the last read that reached the printer, "14:05"; empty before one
    bool offerRestore = false;  // values out of range: the status area offers "Restoration of setting"
    bool operator==(const DialogData&) const = default;
};

class IPinwardenView {
public:
    virtual ~IPinwardenView() = default;

    // Starts a periodic timer whose ticks come back as the dialog's PollPrinter(returned id).
    // Returns the timer's id, never 0; 0 when no timer could be started.
    virtual int StartTimer(int timerId, std::uint32_t periodMs) = 0;
    // Stops the timer StartTimer returned; an id of 0 or one already stopped is ignored.
    virtual void StopTimer(int timerId) = 0;

    // The window's title.
    virtual void SetCaption(const std::string& caption) = 0;
    // Enables or disables one control, known by its id from app/ControlIds.h.
    virtual void EnableControl(int controlId, bool enable) = 0;
    // Adds a command to the window's menu (the original system menu), after a separator.
    virtual void AppendMenuItem(int commandId, Text text) = 0;
    // Enables or greys a menu command added by AppendMenuItem.
    virtual void EnableMenuItem(int commandId, bool enable) = 0;

    // A modal message box captioned with the application's name; returns the button pressed
    // (Cancel for a box closed any other way). Poll ticks may arrive while it is open.
    virtual MbResult ShowMessage(const Message& message, MbButtons buttons, MbIcon icon) = 0;

    // Puts the members into the controls: checks the pin button, sets the bars' counts.
    virtual void UpdateControls(const DialogData& data) = 0;
    // Repaints the whole client area, bars included, with the background erased.
    virtual void Repaint() = 0;
    // The busy cursor while the dialog talks to the printer in one long step; calls nest.
    virtual void SetWaitCursor(bool busy) = 0;

    // The status line shows `line` (the connect request); a reason, when the dialog knows one,
    // is shown on a second line below it. Called when either changes.
    virtual void SetStatusLine(const Message& line, const std::optional<Message>& reason) = 0;

    // How an action ended: a done one briefly in the status area (no box to click away), a
    // failed one in a warning box with its reason.
    virtual void ShowOutcome(const Outcome& outcome) = 0;
    // While the session waits for the printer the window keeps repainting and shows `doing`
    // ("Cleaning: step 3 of 6"), with a Cancel button when `cancellable` that calls the
    // dialog's OnCancelWait. Called again to change the text; EndWait takes it away.
    virtual void BeginWait(const Message& doing, bool cancellable) = 0;
    virtual void EndWait() = 0;
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
