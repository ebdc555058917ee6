#pragma once
// The system's millisecond tick, which wraps after 49.7 days as the time-outs expect.
#include <windows.h>

#include "platform/Clock.h"

namespace zt40 {

class TickCountClock final : public IClock {
public:
    std::uint32_t NowMs() override { return GetTickCount(); }
    void Pause(std::uint32_t ms) override { Sleep(ms); }
};

}  // namespace zt40
