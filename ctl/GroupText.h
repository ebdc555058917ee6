#pragma once
// The printer's groups as the command line prints them, one item a line, the values of an
// item separated by blanks: `status` and `adjust-pins` print the same lines.
#include <array>
#include <string>
#include <string_view>

#include "types/PinData.h"

namespace zt40 {

// The numbers of `values` in decimal, `separator` between them.
template <typename Values>
std::string Joined(const Values& values, std::string_view separator = " ") {
    std::string text;
    for (const auto value : values) {
        if (!text.empty()) text += separator;
        text += std::to_string(value);
    }
    return text;
}

// "word pair: ...", "selected pin: ...", "adjustments: ...", each ending in "\n".
std::string PinSettingsLines(const PinSettings& settings);
// "total: ...", "pin counters: ...", "head counters: ...", each ending in "\n".
std::string UsageCountersLines(const UsageCounters& counters);

}  // namespace zt40
