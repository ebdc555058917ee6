#pragma once
// The platform tick: milliseconds of the monotonic clock, wrapping at 2^32 like the
// tick count the device time-outs were written for.
#include <chrono>
#include <cstdint>
#include <thread>

#include "platform/Clock.h"

namespace zt40 {

class SteadyClock : public IClock {
public:
    std::uint32_t NowMs() override {
        const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
            std::chrono::steady_clock::now().time_since_epoch());
        return static_cast<std::uint32_t>(static_cast<std::uint64_t>(ms.count()));
    }
    void Pause(std::uint32_t ms) override { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }
};

}  // namespace zt40
