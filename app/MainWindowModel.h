#pragma once
// Everything the main window shows and enables, decided once by the dialog's logic: both
// editions paint this state as it stands and forward the operator's events, so neither can
// show what the other does not, nor decide anything on its own.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/PinRange.h"
#include "platform/Text.h"
#include "record/WearForecast.h"

namespace zt40 {

// What the pin buttons and the usage bars show.
struct DialogData {
    std::int32_t selectedPin = -1;  // index 0..8 of the checked pin button; any other value checks none
    std::array<std::int32_t, kPinCount> shownUsage{};  // the counts the usage bars show, pin 1 first
    std::array<PinForecast, kPinCount> forecast{};     // each bar's wear forecast, for its tip
    bool connected = false;    // the bars are greyed while the printer is not connected
    std::string lastRead;      // local time of the last read that reached the printer, "14:05"; empty before one
    bool offerRestore = false;  // values out of range: the status area offers "Restoration of setting"
    bool operator==(const DialogData&) const = default;
};

// A wait on show: its text, and whether its Cancel is offered. The window shows it as a
// dialog captioned with the program's name once the first pause of the wait comes.
struct WaitView {
    Message doing;
    bool cancellable = false;
    bool operator==(const WaitView&) const = default;
};

struct MainWindowState {
    Message caption;         // the window's title: the program's name, then the queue tried
    DialogData data;
    Message statusLine;      // what the printer is to the window: ready, not ready, or the connect request
    std::optional<Message> reason;  // why the printer is not ready, or its values out of range
    std::optional<Message> note;    // a done action's end, for a while
    // Under the status line: the note while it lasts, else the reason, else nothing.
    const std::optional<Message>& Band() const { return note ? note : reason; }
    bool actionsEnabled = false;  // Cleaning, Replace Head, Readjust Pins, Refresh, the pins, the restore
    bool applyEnabled = false;    // Apply Pin Change: a pin other than the printer's is checked
    bool printerListEnabled = true;
    std::optional<WaitView> wait;
    bool busy = false;  // the wait cursor: the logic is talking to the printer
    bool operator==(const MainWindowState&) const = default;
};

// The bars' note while the printer is not connected; nothing while it is, or before any read.
std::optional<Message> LastReadNote(const DialogData& data);
// Bar k's tip, a line each: the pin's count, its forecast, the last-read note.
Message BarTip(const DialogData& data, std::size_t k);

}  // namespace zt40
