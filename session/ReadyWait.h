#pragma once
// Waiting for the printer to be ready, as a step that whoever owns the time drives: a window's
// timer or a worker calls Step() and comes back after kReadyPollPauseMs while it says Waiting;
// a command-line program uses the blocking loop below. Neither form holds a lock or a thread.
#include <cstdint>
#include <functional>

#include "device/CHeadDevice.h"
#include "platform/Clock.h"
#include "types/PrinterStatus.h"

namespace zt40 {

// Waits about `ms` milliseconds. Programs sleep; tests advance their fake clock instead.
using PauseFn = std::function<void(std::uint32_t ms)>;
void SleepPause(std::uint32_t ms);

// A busy printer keeps answering "not ready"; the waits give up after this long of such
// answers rather than hold the window, and pause between polls so as not to flood it.
inline constexpr std::uint32_t kReadyWaitBoundMs = 15000;
inline constexpr std::uint32_t kReadyPollPauseMs = 20;

// The status word with the error state the printer may have answered in its place.
PrinterStatus ReadPrinterStatus(CHeadDevice& device);

enum class WaitStep {
    Ready,      // the rule holds
    Waiting,    // not yet: step again after the pause
    TimedOut,   // the bound passed with the printer still not ready
    NoAnswer,   // the status could not be read: waiting longer would not help
    Cancelled,  // Cancel() was called
};

class ReadyWait {
public:
    ReadyWait(CHeadDevice& device, IClock& clock, ReadyRule rule, std::uint32_t boundMs = kReadyWaitBoundMs)
        : m_device(device), m_clock(clock), m_rule(rule), m_boundMs(boundMs) {}

    // One status read. The bound counts from the first step.
    WaitStep Step();
    // The next step ends the wait; safe to call from the driver's own thread between steps.
    void Cancel() { m_cancelled = true; }
    // The status of the latest step; "no answer" before the first.
    const PrinterStatus& Last() const { return m_last; }

private:
    CHeadDevice& m_device;
    IClock& m_clock;
    ReadyRule m_rule;
    std::uint32_t m_boundMs;
    std::uint32_t m_start = 0;
    bool m_started = false;
    bool m_cancelled = false;
    PrinterStatus m_last;
};

// Steps `wait` to its end, pausing between steps; `cancelled`, when given, is asked before
// every step.
WaitStep RunToEnd(ReadyWait& wait, const PauseFn& pause, const std::function<bool()>& cancelled = {});

}  // namespace zt40
