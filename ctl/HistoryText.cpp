#include "ctl/HistoryText.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <string_view>

#include "ctl/GroupText.h"

namespace zt40 {

namespace {

std::string JsonString(std::string_view value) {
    std::string out = "\"";
    for (const char c : value) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (byte < 0x20 || byte >= 0x7F) {
            // The file is 8-bit text of no declared encoding: each byte stands for itself.
            std::array<char, 8> escaped{};
            std::snprintf(escaped.data(), escaped.size(), "\\u%04x", byte);
            out += escaped.data();
        } else {
            out += c;
        }
    }
    return out + "\"";
}

}  // namespace

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
    std::vector<std::size_t> widths(table.front().size(), 0);
    for (const auto& cells : table) {
        for (std::size_t i = 0; i < cells.size(); ++i) widths[i] = std::max(widths[i], cells[i].size());
    }
    std::string out;
    for (const auto& cells : table) {
        std::string line;
        for (std::size_t i = 0; i < cells.size(); ++i) {
            line += cells[i];
            if (i + 1 < cells.size()) line += std::string(widths[i] - cells[i].size() + 2, ' ');
        }
        while (!line.empty() && line.back() == ' ') line.pop_back();
        out += line + "\n";
    }
    return out;
}

}  // namespace zt40
