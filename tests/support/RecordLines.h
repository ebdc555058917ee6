// Records built and read back as the record file holds them, for the tests of what is made of
// them (the history, its exports).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "record/RecordFormat.h"

namespace zt40::testing {

inline std::vector<UsageRecord> Records(std::string_view text) {
    LineReader lines(text);
    std::vector<UsageRecord> records;
    ForEachRecord(lines, [&](UsageRecord&& record) { records.push_back(std::move(record)); });
    return records;
}

// A usable record of 8 December 2026 under the given header line, pin 2 selected.
inline std::string Record(const char* header, std::int32_t total, std::int16_t head, std::int32_t pin5) {
    UsageCounters counters{total, {}, {head, 0}};
    counters.PinCounter[4] = pin5;
    const auto text = FormatUsageRecord(true, {2026, 12, 8}, PinSettings{{0, 0}, 2, {}}, counters);
    return header + text.substr(text.find('\n'));
}

}  // namespace zt40::testing
