#pragma once
#include <cstdint>

namespace zt40 {

// A monotonic millisecond tick that wraps at 2^32, as the device time-outs expect.
class IClock {
public:
    virtual ~IClock() = default;
    virtual std::uint32_t NowMs() = 0;
};

}  // namespace zt40
