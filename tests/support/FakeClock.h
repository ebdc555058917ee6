#pragma once
// A clock that only moves when told to, or by a fixed step on every reading, so that
// time-outs can be run to their end without waiting.
#include <cstdint>
#include <functional>

#include "platform/Clock.h"

namespace zt40 {

class FakeClock : public IClock {
public:
    explicit FakeClock(std::uint32_t startMs = 0, std::uint32_t stepPerReadMs = 0)
        : m_now(startMs), m_step(stepPerReadMs) {}

    // Returns the current time, then moves on by the step.
    std::uint32_t NowMs() override {
        ++m_reads;
        const std::uint32_t now = m_now;
        m_now += m_step;  // wraps at 2^32 like the platform tick
        return now;
    }

    // A pause costs no real time: the clock jumps by it.
    void Pause(std::uint32_t ms) override {
        ++m_pauses;
        m_now += ms;
        if (onPause) onPause();
    }
    // Runs at every pause, as a window's events run during one.
    std::function<void()> onPause;

    void Advance(std::uint32_t ms) { m_now += ms; }
    void Set(std::uint32_t ms) { m_now = ms; }
    void SetStepPerRead(std::uint32_t ms) { m_step = ms; }
    std::uint32_t Peek() const { return m_now; }
    std::uint64_t Reads() const { return m_reads; }
    std::uint64_t Pauses() const { return m_pauses; }

private:
    std::uint32_t m_now;
    std::uint32_t m_step;
    std::uint64_t m_reads = 0;
    std::uint64_t m_pauses = 0;
};

}  // namespace zt40
