#pragma once
// What the simulator's control window does to the simulated printer, and the texts it shows,
// written once for every edition's window: each window only lays out its own controls.
#include <array>
#include <cstdint>
#include <string>

#include "platform/Text.h"
#include "platform/sim/SimSpooler.h"
#include "platform/sim/SimulatedZt40.h"
#include "platform/sim/Zt40State.h"

namespace zt40 {

// How the simulated printer answers its commands; the order is the choice list's.
enum class SimAnswers { Normally, WithErrorState, NotAtAll };
inline constexpr std::array<Text, 3> kSimAnswersTexts = {
    ZT40_TR("SimulatorWindow", "normally"),
    ZT40_TR("SimulatorWindow", "with an error state"),
    ZT40_TR("SimulatorWindow", "not at all"),
};

void SetSimAnswers(SimulatedZt40& printer, SimAnswers answers);
SimAnswers CurrentSimAnswers(const SimulatedZt40& printer);

// Busy keeps the host waiting: the printer never reports ready.
void SetSimBusy(SimulatedZt40& printer, bool busy);
bool SimBusy(const SimulatedZt40& printer);

// Counters that light every band of the bars: green only up to red, pin by pin.
std::array<std::int32_t, kSimPinCount> AllBandsCounters();

namespace simtext {
inline constexpr Text kTitle = ZT40_TR("SimulatorWindow", "ZT-40 simulator");
inline constexpr Text kPrinter = ZT40_TR("SimulatorWindow", "Printer");
inline constexpr Text kPlugged = ZT40_TR("SimulatorWindow", "&Plugged in");
inline constexpr Text kPowered = ZT40_TR("SimulatorWindow", "S&witched on");
inline constexpr Text kBusy = ZT40_TR("SimulatorWindow", "&Busy (never ready)");
inline constexpr Text kAnswers = ZT40_TR("SimulatorWindow", "&Answers commands:");
inline constexpr Text kQueueInstalled = ZT40_TR("SimulatorWindow", "&Installed");
inline constexpr Text kQueueOnline = ZT40_TR("SimulatorWindow", "&Online (not paused)");
inline constexpr Text kCounters = ZT40_TR("SimulatorWindow", "Pin counters");
inline constexpr Text kAllBands = ZT40_TR("SimulatorWindow", "Wear pins into every band");
inline constexpr Text kJobs = ZT40_TR("SimulatorWindow", "Jobs");
inline constexpr Text kPrintQueued = ZT40_TR("SimulatorWindow", "Print queued jobs");
}  // namespace simtext

// "Queue "ZT-40"", the queue box's title.
Message SimQueueTitle(const std::string& queueName);
// "No.3:", before a pin's counter; `pin` counts from 1.
Message SimPinLabel(int pin);
Text SimJobStateText(SimJobState state);
// One line of the job list; `state` is SimJobStateText(job.state) in the window's language.
Message SimJobLine(const SimJob& job, std::string state);

}  // namespace zt40
