// The history as zt40ctl history prints it: a hand-edited header stays one JSON string, and the
// table shows no control character.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ctl/HistoryText.h"
#include "record/RecordFormat.h"
#include "support/RecordLines.h"

namespace zt40 {
namespace {

using testing::Record;
using testing::Records;

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
