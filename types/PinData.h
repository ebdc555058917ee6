#pragma once
// The printer's two data groups, each read and written as one, each with the range check
// that guards every write.
#include <array>
#include <cstdint>

#include "platform/PinRange.h"

namespace zt40 {

struct PinSettings {
    std::array<std::int16_t, 2> WordPair{};
    std::int32_t SelectedPin = -1;  // 1..9; -1 after a failed read
    std::array<std::int16_t, kPinCount> PinAdjustments{};  // pin 1 first
    bool operator==(const PinSettings&) const = default;
};

struct UsageCounters {
    std::int32_t TotalCounter = 0;
    std::array<std::int32_t, kPinCount> PinCounter{};  // pin 1 first
    std::array<std::int16_t, 2> HeadCounters{};
    bool operator==(const UsageCounters&) const = default;
};

inline constexpr int kWordPairLimit = 199;
inline constexpr int kPinAdjustmentLimit = 80;

// Both word-pair values within -199..199, the pin 1..9, every adjustment within -80..80.
bool IsValidPinSettings(const PinSettings& settings);
// The first head counter, the nine pin counters and the total not negative; the second head
// counter is not examined.
bool IsValidUsageCounters(const UsageCounters& counters);

}  // namespace zt40
