#include <gtest/gtest.h>

#include "record/RecordFormat.h"
#include "record/UsageHistory.h"
#include "support/RecordLines.h"

namespace zt40 {
namespace {

using testing::Record;
using testing::Records;

TEST(BuildHistory, NewestFirstWithTheReasonRestorePassesARecordOver) {
    const std::string text = Record("o20261201", 10, 0, 1) + Record("x20261202", -3, 0, 1) +
                             Record("o20261203", 10, 0, -7) + Record("x20261204", 10, -2, 1) +
                             Record("o20261205", 20, 0, 1) + Record("x20261206", 10, 0, -1) + "o20261207\n0:1, 0, 1\n";
    const auto rows = BuildHistory(Records(text));
    struct Expected {
        std::size_t number;
        const char* date;
        RecordFault fault;
        bool restoreTakes;
        const char* reason;
    };
    const Expected expected[] = {
        {7, "2026-12-07", RecordFault::CutShort, false, "cut short: the file ends after 1 of its 10 lines"},
        {6, "2026-12-06", RecordFault::PinCounter, false, "the counter of pin 5 is negative or 2147483648 or more"},
        {5, "2026-12-05", RecordFault::None, true, ""},
        {4, "2026-12-04", RecordFault::HeadCounter, false, "the head counter is negative or 32768 or more"},
        {3, "2026-12-03", RecordFault::PinCounter, false, "the counter of pin 5 is negative or 2147483648 or more"},
        {2, "2026-12-02", RecordFault::TotalCounter, false, "the total counter is negative or 2147483648 or more"},
        {1, "2026-12-01", RecordFault::None, false, ""},
    };
    ASSERT_EQ(rows.size(), std::size(expected));
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const auto& row = rows[i];
        EXPECT_EQ(row.number, expected[i].number);
        EXPECT_EQ(row.Date(), expected[i].date);
        EXPECT_EQ(row.fault, expected[i].fault) << row.number;
        EXPECT_EQ(row.Usable(), IsUsableRecord(row.record)) << row.number;
        EXPECT_EQ(row.restoreTakes, expected[i].restoreTakes) << row.number;
        EXPECT_EQ(row.Reason() ? row.Reason()->English() : "", expected[i].reason) << row.number;
    }
    // The row the history marks is the record restore writes back.
    const auto best = FindLastUsableRecord(std::string_view(text));
    ASSERT_TRUE(best);
    EXPECT_EQ(best->header, rows[2].record.header);
}

TEST(HistoryExport, CsvKeepsHandEditedHeadersIntact) {
    const auto rows = BuildHistory(Records(Record("x\"edited, by \\hand\x01", 4, 1, 2)));
    ASSERT_EQ(rows.size(), 1u);
    const auto csv = HistoryCsv(rows);
    EXPECT_EQ(csv.substr(0, csv.find("\r\n")),
              "record,date,kind,headCounter,totalCounter,pin1,pin2,pin3,pin4,pin5,pin6,pin7,pin8,pin9,"
              "wordPair,adjustments,selectedPin,usable,reason");
    EXPECT_NE(csv.find("\r\n1,\"\"\"edited, by \\hand\x01\",cancelled,1,4,0,0,0,0,2,"), std::string::npos) << csv;
    EXPECT_NE(csv.find(",0 0,0 0 0 0 0 0 0 0 0,2,yes: restore takes this one,\r\n"), std::string::npos) << csv;
}

}  // namespace
}  // namespace zt40
