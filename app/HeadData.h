#pragma once
// Reading the printer's two data groups and waiting for it to be ready: shared by the main
// window and zt40ctl, so both read the printer the same way.
#include <cstdint>
#include <functional>

#include "app/PinData.h"
#include "device/CHeadDevice.h"
#include "platform/Clock.h"

namespace zt40 {

// Waits about `ms` milliseconds. Programs sleep; tests advance their fake clock instead.
using PauseFn = std::function<void(std::uint32_t ms)>;
void SleepPause(std::uint32_t ms);

// A busy printer keeps answering "not ready"; the waits give up after this long of such
// answers rather than hold the window, and pause between polls so as not to flood it.
inline constexpr std::uint32_t kReadyWaitBoundMs = 15000;
inline constexpr std::uint32_t kReadyPollPauseMs = 20;

enum class ReadyRule {
    StatusIsOne,   // before a write or a cleaning step: the status word is exactly 1
    LowBitsAreOne, // the connection poll's test: (status AND 3) = 1
};

bool IsReady(std::uint16_t status, ReadyRule rule);

// Polls until the rule holds. A status that cannot be read (0xFFFF) ends the wait at once;
// other statuses end it once `boundMs` have passed on `clock`. Returns the last status read.
std::uint16_t WaitForReady(CHeadDevice& device, IClock& clock, const PauseFn& pause, ReadyRule rule,
                           std::uint32_t boundMs = kReadyWaitBoundMs);

// Which read of a group failed first; every read is still made.
enum class HeadItem { None, WordPair, SelectedPin, PinAdjustments, TotalCounter, PinCounter, HeadCounters };
struct HeadReadResult {
    HeadItem failed = HeadItem::None;
    int pin = 0;  // the pin number when the failed read is a pin counter
    bool Ok() const { return failed == HeadItem::None; }
};

// The counters: the total, pins 1..9 in order, then the head counters.
HeadReadResult ReadUsageCounterGroup(CHeadDevice& device, UsageCounters& counters);
// Both groups in the printer's order: word pair, selected pin (-1 when its read fails),
// adjustments, then the counters. A failed read leaves its field as it was.
HeadReadResult ReadHeadGroups(CHeadDevice& device, PinSettings& settings, UsageCounters& counters);

}  // namespace zt40
