// An append after a crash cut the file's last record or sample line short, at every byte of it:
// the cut one is gone, the new one reads back whole, and neither restore nor the band notices
// take a cut value.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <vector>

#include "record/CounterSamples.h"
#include "record/UsageRecordFile.h"
#include "support/FakeDataFolderPlatform.h"
#include "support/FileText.h"
#include "wiring/RecordWiring.h"

namespace zt40 {
namespace {

UsageCounters Counters(std::int32_t pin9) { return {5'000, {1, 2, 3, 4, 5, 6, 7, 8, pin9}, {2, 0}}; }

class CutTail : public ::testing::Test {
protected:
    void SetUp() override {
        m_dir = std::filesystem::temp_directory_path() /
                ("zt40-cut-" + std::to_string(::getpid()) + "-" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(m_dir);
        std::filesystem::create_directories(m_dir);
        m_folders.separator = '/';
        m_folders.override = m_dir.string();
    }
    void TearDown() override { std::filesystem::remove_all(m_dir); }
    void Write(const std::filesystem::path& path, const std::string& text) {
        std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
    }

    std::filesystem::path m_dir;
    test::FakeDataFolderPlatform m_folders;
    SystemRecordFiles m_files;
};

TEST_F(CutTail, EveryCutOfTheLastRecordIsGoneBeforeTheNextOne) {
    const PinSettings settings{{1, 2}, 3, {}};
    const std::string first = FormatUsageRecord(true, {2026, 12, 7}, settings, Counters(1'000));
    const std::string last = FormatUsageRecord(true, {2026, 12, 8}, settings, Counters(9'000));
    // Every cut of the last record, and lines of no record: with and without their line feed.
    std::vector<std::pair<std::string, std::string>> tails;  // what the crash left, what stays of it
    for (std::size_t keep = 0; keep < last.size(); ++keep) tails.push_back({last.substr(0, keep), ""});
    tails.push_back({last.substr(0, last.size() - 1) + "\r", ""});
    tails.push_back({"a note", ""});
    tails.push_back({"a note\n", "a note\n"});
    struct Next {
        UsageCounters counters;
        std::int32_t restoredPin9;  // the next record when usable, else the first: never the cut one
    };
    const std::string path = (m_dir / "zt40util.txt").string();
    for (const std::string& lead : {first, "\xEF\xBB\xBF" + first}) {
        for (const auto& [tail, stays] : tails) {
            for (const Next& next : {Next{Counters(4'000), 4'000}, Next{Counters(-4), 1'000}}) {
                Write(path, lead + tail);
                const std::string record = FormatUsageRecord(false, {2026, 12, 9}, settings, next.counters);
                const auto failure = AppendToRecordFile(m_files, path, record);
                ASSERT_FALSE(failure) << failure->English();
                ASSERT_EQ(testing::FileText(path), lead + stays + record) << "tail: " << tail;
                const auto best = ReadBestRecord(m_files, path, false);
                ASSERT_TRUE(best.best) << "tail: " << tail;
                EXPECT_EQ(best.best->counters.PinCounter[8], next.restoredPin9) << "tail: " << tail;
            }
        }
    }
}

TEST_F(CutTail, EveryCutOfTheLastSampleLineIsGoneBeforeTheDaysSample) {
    const UsageRecordPlatform platform{m_folders, m_files, "zt40util"};
    const std::string header = std::string(kSamplesHeader) + '\n';
    const std::string first = FormatSampleLine({{2026, 12, 7}, "ZT4000123", Counters(1'000)});
    const CounterSample today{{2026, 12, 9}, "ZT4000123", Counters(4'000)};
    struct Case {
        std::string lead;
        std::string last;  // cut at every byte
    };
    const Case cases[] = {
        {header + first, FormatSampleLine({{2026, 12, 8}, "ZT4000123", Counters(9'000)})},
        {header + first, FormatSampleLine({{2026, 12, 9}, "ZT4000123", Counters(9'000)})},  // the day's own line
        {"", header},
    };
    const auto path = m_dir / kSamplesFileName;
    for (const auto& c : cases) {
        for (std::size_t keep = 0; keep < c.last.size(); ++keep) {
            Write(path, c.lead + c.last.substr(0, keep));
            const auto added = AppendSample(platform, today);
            ASSERT_EQ(added.outcome, SampleAppend::Added) << c.last.substr(0, keep);
            if (c.lead.empty()) {
                EXPECT_FALSE(added.previous);
            } else {
                ASSERT_TRUE(added.previous);
                EXPECT_EQ(added.previous->counters.PinCounter[8], 1'000) << c.last.substr(0, keep);
            }
            ASSERT_EQ(testing::FileText(path), (c.lead.empty() ? header : c.lead) + FormatSampleLine(today))
                << c.last.substr(0, keep);
        }
    }
}

}  // namespace
}  // namespace zt40
