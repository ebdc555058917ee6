#pragma once
#include <cstdint>
#include <functional>
#include <utility>

namespace zt40 {

// A monotonic millisecond tick that wraps at 2^32, as the device time-outs expect.
class IClock {
public:
    virtual ~IClock() = default;
    virtual std::uint32_t NowMs() = 0;
    // Lets about `ms` pass before returning: a sleep on the platform's clock, a jump of a fake one,
    // so that a wait bounded by this clock ends at the same reading either way.
    virtual void Pause(std::uint32_t ms) = 0;
};

// Another clock's readings, with pauses of its own: a window program lets its events run while
// a command waits for the printer, so that the window keeps painting through the time-out.
class PausingClock final : public IClock {
public:
    using PauseFn = std::function<void(std::uint32_t ms)>;
    PausingClock(IClock& readings, PauseFn pause) : m_readings(readings), m_pause(std::move(pause)) {}
    std::uint32_t NowMs() override { return m_readings.NowMs(); }
    void Pause(std::uint32_t ms) override { m_pause(ms); }

private:
    IClock& m_readings;
    PauseFn m_pause;
};

}  // namespace zt40
