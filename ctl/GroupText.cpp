#include "ctl/GroupText.h"

namespace zt40 {

std::string PinSettingsLines(const PinSettings& settings) {
    return "word pair: " + Joined(settings.WordPair) + "\nselected pin: " + std::to_string(settings.SelectedPin) +
           "\nadjustments: " + Joined(settings.PinAdjustments) + "\n";
}

std::string UsageCountersLines(const UsageCounters& counters) {
    return "total: " + std::to_string(counters.TotalCounter) + "\npin counters: " + Joined(counters.PinCounter) +
           "\nhead counters: " + Joined(counters.HeadCounters) + "\n";
}

}  // namespace zt40
