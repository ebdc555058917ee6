#include "types/PinData.h"

#include <algorithm>
#include <cstdlib>

namespace zt40 {

bool IsValidPinSettings(const PinSettings& settings) {
    const auto within = [](int value, int limit) { return std::abs(value) <= limit; };
    if (!within(settings.WordPair[0], kWordPairLimit) || !within(settings.WordPair[1], kWordPairLimit)) return false;
    if (!IsPinNumber(settings.SelectedPin)) return false;
    return std::ranges::all_of(settings.PinAdjustments, [&](std::int16_t v) { return within(v, kPinAdjustmentLimit); });
}

bool IsValidUsageCounters(const UsageCounters& counters) {
    if (counters.HeadCounters[0] < 0) return false;
    if (std::ranges::any_of(counters.PinCounter, [](std::int32_t v) { return v < 0; })) return false;
    return counters.TotalCounter >= 0;
}

}  // namespace zt40
