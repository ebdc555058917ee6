#pragma once
// The printer's two data groups on the wire: which device command carries which field, in
// which order, for reading both groups and for writing either. Nothing else maps a group
// onto commands.
#include <functional>

#include "device/CHeadDevice.h"
#include "types/PinData.h"

namespace zt40 {

// Which read of a group failed: the first one, after which nothing more is asked.
enum class HeadItem { None, WordPair, SelectedPin, PinAdjustments, TotalCounter, PinCounter, HeadCounters };
struct HeadReadResult {
    HeadItem failed = HeadItem::None;
    int pin = 0;  // the pin number when the failed read is a pin counter
    bool Ok() const { return failed == HeadItem::None; }
};

class GroupGateway {
public:
    // `untilReady` is asked before every write; false leaves the group unwritten.
    GroupGateway(CHeadDevice& device, std::function<bool()> untilReady)
        : m_device(device), m_untilReady(std::move(untilReady)) {}

    // The counters: the total, pins 1..9 in order, then the head counters.
    HeadReadResult ReadCounters(UsageCounters& counters);
    // Both groups in the printer's order: word pair, selected pin (-1 when its read fails or
    // is not made), adjustments, then the counters. A failed read ends the reading; it and the
    // fields after it are left as they were.
    HeadReadResult ReadBoth(PinSettings& settings, UsageCounters& counters);

    // Waits for ready, then checks the range: a group out of range is never sent. True when
    // the device took every command; the first it did not take ends the write. The printer's
    // own acceptance is only known by reading back.
    bool WritePinSettings(const PinSettings& settings);
    bool WriteUsageCounters(const UsageCounters& counters);

private:
    CHeadDevice& m_device;
    std::function<bool()> m_untilReady;
};

}  // namespace zt40
