// zt40ctl history and restore on the record file the window writes: every format, what a new
// installation or a bad option gets, and restore with and without writing.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include "record/RecordFormat.h"
#include "tests/support/CtlProgram.h"

namespace zt40::testing {
namespace {

class CtlHistoryTest : public CtlDataFolderTest {
protected:
    void WriteRecords() {
        UsageCounters counters{900, {}, {3, 0}};
        std::ofstream out(m_dir / "zt40util.txt", std::ios::binary);
        out << FormatUsageRecord(true, {2026, 11, 30}, PinSettings{{-12, 7}, 4, {}}, counters);
        counters.TotalCounter = -1;
        out << FormatUsageRecord(false, {2026, 12, 1}, PinSettings{{0, 0}, 1, {}}, counters);
    }
};

TEST_F(CtlHistoryTest, EveryFormatListsTheSameRecordsNewestFirst) {
    WriteRecords();
    struct Case {
        const char* arguments;
        std::vector<std::string> inOrder;  // pieces that appear in this order
    };
    const Case cases[] = {
        {"history", {"Record  Date", "2026-12-01  cancelled", "no                           the total counter", "2026-11-30  finished",
                     "yes: restore takes this one"}},
        {"history --format csv",
         {"record,date,kind,", "\r\n2,2026-12-01,cancelled,3,-1,", ",no,the total counter is negative",
          "\r\n1,2026-11-30,finished,3,900,0,0,0,0,0,0,0,0,0,-12 7,0 0 0 0 0 0 0 0 0,4,yes: restore takes this one,\r\n"}},
        {"history --format=json",
         {"[\n  {\"record\": 2, \"line\": 12, \"date\": \"2026-12-01\", \"kind\": \"x\", \"headCounter\": 3, "
          "\"totalCounter\": -1,",
          "\"reasonKey\": \"total-counter\"", "{\"record\": 1, \"line\": 1,", "\"wordPair\": [-12, 7]",
          "\"restoreTakes\": true, \"reasonKey\": null, \"reason\": null}\n]\n"}},
    };
    for (const auto& c : cases) {
        const auto run = Ctl(c.arguments);
        EXPECT_EQ(run.exitStatus, 0) << c.arguments << run.err;
        std::size_t at = 0;
        for (const auto& piece : c.inOrder) {
            const auto found = run.out.find(piece, at);
            ASSERT_NE(found, std::string::npos) << c.arguments << ": " << piece << "\n" << run.out;
            at = found + piece.size();
        }
    }
}

TEST_F(CtlHistoryTest, NoFileYetIsAnEmptyHistoryAndBadOptionsAreRefused) {
    auto run = Ctl("history --format json");
    EXPECT_EQ(run.exitStatus, 0);
    EXPECT_EQ(run.out, "[]\n");
    EXPECT_NE(run.err.find("no records yet"), std::string::npos) << run.err;
    EXPECT_FALSE(std::filesystem::exists(m_dir / "zt40util.txt"));
    for (const char* arguments : {"history --format xml", "history --format", "history extra"}) {
        run = Ctl(arguments);
        EXPECT_EQ(run.exitStatus, 2) << arguments;
        EXPECT_NE(run.err.find("usage: zt40ctl history"), std::string::npos) << arguments;
    }
}

TEST_F(CtlHistoryTest, RestoreWritesTheLastUsableRecordAndDryRunOnlyShowsIt) {
    WriteRecords();
    const std::string outOfRange = StateFile("word_pair = 250 -3\nselected_pin = 12\ntotal = 50\n");
    const auto fileBefore = std::filesystem::file_size(m_dir / "zt40util.txt");
    auto run = Ctl("--simulate=" + outOfRange + " restore --dry-run");
    EXPECT_EQ(run.exitStatus, 0) << run.err;
    for (const char* piece : {"Restore would write the last usable record of", "word pair[1]               250 -> -12   *",
                              "selected pin                12 -> 4   *", "usage counters: in range, left as they are"}) {
        EXPECT_NE(run.out.find(piece), std::string::npos) << piece << "\n" << run.out;
    }
    run = Ctl("--simulate=" + outOfRange + " restore");
    EXPECT_EQ(run.exitStatus, 0) << run.err;
    EXPECT_EQ(run.out, "Please do again to turn on the power of ZT-40\nPin settings written from the last usable record.\n");
    EXPECT_EQ(std::filesystem::file_size(m_dir / "zt40util.txt"), fileBefore);
}

TEST_F(CtlHistoryTest, RestoreSaysWhetherAnythingWasWritten) {
    struct Case {
        const char* arguments;
        int exitStatus;
        const char* output;  // the start of standard output, or of standard error when empty
    };
    const Case cases[] = {
        {"--simulate restore", 7, "Both groups are in range: nothing was written."},
        {"--simulate restore --dry-run", 0, "Both groups are in range: restore would write nothing."},
        {"--simulate restore --force", 2, "usage: zt40ctl"},
        // --queue picks the printer; a queue that is not there is said so.
        {"--simulate --queue ZT-40 restore", 7, "Both groups are in range: nothing was written."},
        {"--simulate --queue Other restore", 3, "zt40ctl: restore: there is no print queue named \"Other\""},
    };
    for (const auto& c : cases) {
        const auto run = Ctl(c.arguments);
        EXPECT_EQ(run.exitStatus, c.exitStatus) << c.arguments << run.err;
        EXPECT_TRUE((run.out.empty() ? run.err : run.out).starts_with(c.output)) << c.arguments << run.out << run.err;
    }
    // Nothing was out of range, so the file was never needed.
    EXPECT_FALSE(std::filesystem::exists(m_dir / "zt40util.txt"));
}

}  // namespace
}  // namespace zt40::testing
