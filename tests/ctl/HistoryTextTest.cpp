// The history as zt40ctl history prints it: a hand-edited header stays one JSON string, and the
// table shows no control character.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ctl/HistoryText.h"
#include "record/RecordFormat.h"

namespace zt40 {
namespace {

std::vector<UsageRecord> Records(std::string_view text) {
    LineReader lines(text);
    std::vector<UsageRecord> records;
    ForEachRecord(lines, [&](UsageRecord&& record) { records.push_back(std::move(record)); });
    return records;
}

std::string Record(const char* header, std::int32_t total, std::int16_t head, std::int32_t pin5) {
    UsageCounters counters{total, {}, {head, 0}};
    counters.PinCounter[4] = pin5;
    const auto text = FormatUsageRecord(true, {2026, 12, 8}, PinSettings{{0, 0}, 2, {}}, counters);
    return header + text.substr(text.find('\n'));
}

TEST(HistoryText, JsonAndTableKeepHandEditedHeadersIntact) {
    const auto rows = BuildHistory(Records(Record("x\"edited, by \\hand\x01", 4, 1, 2)));
    ASSERT_EQ(rows.size(), 1u);
    const auto json = HistoryJson(rows);
    EXPECT_NE(json.find("\"date\": \"\\\"edited, by \\\\hand\\u0001\", \"kind\": \"x\""), std::string::npos) << json;
    EXPECT_NE(json.find("\"usable\": true, \"restoreTakes\": true, \"reasonKey\": null, \"reason\": null}"),
              std::string::npos)
        << json;
    EXPECT_EQ(HistoryJson({}), "[]\n");
    EXPECT_EQ(HistoryTable(rows).find('\x01'), std::string::npos);
}

}  // namespace
}  // namespace zt40
