#pragma once
#include <cstdint>

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

}  // namespace zt40
