#include "ctl/HistoryText.h"

#include <algorithm>
#include <string_view>

#include "ctl/GroupText.h"
#include "platform/TextOutput.h"

namespace zt40 {

std::string HistoryJson(const std::vector<HistoryRow>& rows) {
    std::string out = "[";
    for (const auto& row : rows) {
        const auto& r = row.record;
        const auto reason = row.Reason();
        if (out.size() > 1) out += ",";
        out += "\n  {\"record\": " + std::to_string(row.number) + ", \"line\": " + std::to_string(r.line) +
               ", \"date\": " + JsonString(row.Date()) + ", \"kind\": " + JsonString(std::string(1, r.Kind())) +
               ", \"headCounter\": " + std::to_string(r.counters.HeadCounters[0]) +
               ", \"totalCounter\": " + std::to_string(r.counters.TotalCounter) + ", \"pinCounters\": [" +
               Joined(r.counters.PinCounter, ", ") + "], \"wordPair\": [" + Joined(r.settings.WordPair, ", ") +
               "], \"adjustments\": [" + Joined(r.settings.PinAdjustments, ", ") +
               "], \"selectedPin\": " + std::to_string(r.settings.SelectedPin) +
               ", \"usable\": " + (row.Usable() ? "true" : "false") +
               ", \"restoreTakes\": " + (row.restoreTakes ? "true" : "false") +
               ", \"reasonKey\": " + (reason ? JsonString(FaultKey(row.fault)) : "null") +
               ", \"reason\": " + (reason ? JsonString(reason->English()) : "null") + "}";
    }
    return out + (rows.empty() ? "]\n" : "\n]\n");
}

std::string HistoryTable(const std::vector<HistoryRow>& rows) {
    std::vector<std::vector<std::string>> table;
    std::vector<std::string> header;
    for (const auto& column : HistoryColumns()) header.emplace_back(column.title.source);
    table.push_back(std::move(header));
    for (const auto& row : rows) {
        auto cells = HistoryCells(row);
        // A hand-edited header could carry terminal control sequences.
        for (auto& cell : cells) {
            std::ranges::replace_if(cell, [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; }, '?');
        }
        table.push_back(std::move(cells));
    }
    return AlignedColumns(table);
}

}  // namespace zt40
