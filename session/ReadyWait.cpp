#include "session/ReadyWait.h"

#include <chrono>
#include <thread>

namespace zt40 {

void SleepPause(std::uint32_t ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

PrinterStatus ReadPrinterStatus(CHeadDevice& device) {
    const std::uint16_t raw = device.GetStatus();
    return PrinterStatus(raw, raw == kStatusUnknown ? device.LastReplyState() : std::nullopt);
}

WaitStep ReadyWait::Step() {
    if (m_cancelled) return WaitStep::Cancelled;
    if (!m_started) {
        m_start = m_clock.NowMs();
        m_started = true;
    }
    m_last = ReadPrinterStatus(m_device);
    if (m_last.IsReady(m_rule)) return WaitStep::Ready;
    if (!m_last.Answered()) return WaitStep::NoAnswer;
    // Unsigned difference: correct across the tick's wrap at 2^32.
    if (m_clock.NowMs() - m_start >= m_boundMs) return WaitStep::TimedOut;
    return WaitStep::Waiting;
}

WaitStep RunToEnd(ReadyWait& wait, const PauseFn& pause, const std::function<bool()>& cancelled) {
    for (;;) {
        if (cancelled && cancelled()) wait.Cancel();
        const WaitStep step = wait.Step();
        if (step != WaitStep::Waiting) return step;
        if (pause) pause(kReadyPollPauseMs);
    }
}

}  // namespace zt40
