#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "record/UsageRecordStore.h"
#include "support/FakeDataFolderPlatform.h"
#include "wiring/RecordWiring.h"

namespace zt40 {
namespace {

const PinSettings kGoodSettings{{3, -4}, 5, {1, 2, 3, 4, 5, 6, 7, 8, 9}};
const PinSettings kBadSettings{{300, 0}, 5, {}};
const UsageCounters kGoodCounters{500, {1, 2, 3, 4, 5, 6, 7, 8, 9}, {2, 44}};
const UsageCounters kBadCounters{-1, {}, {0, 44}};

class UsageRecordStoreTest : public testing::Test {
protected:
    void SetUp() override {
        m_dir = std::filesystem::temp_directory_path() /
                ("zt40-store-" + std::to_string(::getpid()) + "-" +
                 testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(m_dir);
        std::filesystem::create_directories(m_dir);
        m_folders.separator = '/';
        m_folders.override = m_dir.string();
    }
    void TearDown() override { std::filesystem::remove_all(m_dir); }

    RestoreOutcome Restore(PinSettings& settings, UsageCounters& counters, bool dryRun = false,
                           bool writesSucceed = true) {
        return RestoreFromRecordFile(&m_store, settings, counters,
                                     {[&](const PinSettings& s) {
                                          written.push_back("settings");
                                          EXPECT_EQ(s, settings);  // the window's copy is updated first
                                          return writesSucceed;
                                      },
                                      [&](const UsageCounters& c) {
                                          written.push_back("counters");
                                          EXPECT_EQ(c, counters);
                                          return writesSucceed;
                                      },
                                      [&](const Message& m, MbIcon icon) {
                                          shown.push_back(m.English() + (icon == MbIcon::Warning ? " [warning]" : ""));
                                      }},
                                     dryRun);
    }
    std::filesystem::path File() const { return m_dir / "zt40util.txt"; }

    std::filesystem::path m_dir;
    test::FakeDataFolderPlatform m_folders;
    SystemRecordFiles m_files;
    UsageRecordStore m_store{{m_folders, m_files, "zt40util"}};
    std::vector<std::string> written;
    std::vector<std::string> shown;
};

const std::string kPowerCycle = "Please do again to turn on the power of ZT-40";

TEST_F(UsageRecordStoreTest, AppendedRecordReadsBackAsTheSameGroups) {
    ASSERT_FALSE(m_store.Append(false, {2026, 12, 8}, kGoodSettings, kGoodCounters));
    ASSERT_FALSE(m_store.Append(true, {2026, 12, 9}, kBadSettings, kBadCounters));  // not usable
    const auto read = m_store.ReadBest(false);
    ASSERT_TRUE(read.best);
    EXPECT_EQ(read.best->header, "x20261208");
    EXPECT_EQ(read.best->settings, kGoodSettings);
    UsageCounters expected = kGoodCounters;
    expected.HeadCounters[1] = 0;  // not part of a record
    EXPECT_EQ(read.best->counters, expected);
}

TEST_F(UsageRecordStoreTest, NoFileCreatesItAndWritesTheDefaultsToEachFailingGroup) {
    PinSettings settings = kBadSettings;
    UsageCounters counters = kBadCounters;
    const auto outcome = Restore(settings, counters);
    EXPECT_TRUE(std::filesystem::exists(File()));
    EXPECT_EQ(std::filesystem::file_size(File()), 0u);
    EXPECT_EQ(written, (std::vector<std::string>{"settings", "counters"}));
    EXPECT_EQ(settings, (PinSettings{{0, 0}, 1, {}}));
    EXPECT_EQ(counters, (UsageCounters{0, {}, {0, 44}}));
    EXPECT_EQ(shown, std::vector<std::string>{kPowerCycle});
    EXPECT_FALSE(outcome.plan.fromRecord);
    EXPECT_TRUE(outcome.Wrote());
}

TEST_F(UsageRecordStoreTest, BothGroupsInRangeLeaveTheFileAlone) {
    PinSettings settings = kGoodSettings;
    UsageCounters counters = kGoodCounters;
    EXPECT_FALSE(Restore(settings, counters).plan.needed);
    EXPECT_FALSE(std::filesystem::exists(File()));
    EXPECT_TRUE(written.empty() && shown.empty());
}

TEST_F(UsageRecordStoreTest, OnlyTheFailingGroupIsWrittenFromTheRecord) {
    ASSERT_FALSE(m_store.Append(true, {2026, 12, 8}, kGoodSettings, kGoodCounters));
    PinSettings settings = kBadSettings;
    UsageCounters counters = kGoodCounters;
    counters.TotalCounter = 9;
    Restore(settings, counters);
    EXPECT_EQ(written, std::vector<std::string>{"settings"});
    EXPECT_EQ(settings, kGoodSettings);
    EXPECT_EQ(counters.TotalCounter, 9);

    written.clear();
    settings = kGoodSettings;
    counters = kBadCounters;
    Restore(settings, counters);
    EXPECT_EQ(written, std::vector<std::string>{"counters"});
    EXPECT_EQ(counters.PinCounter, kGoodCounters.PinCounter);
    EXPECT_EQ(counters.HeadCounters, (std::array<std::int16_t, 2>{2, 44}));
}

TEST_F(UsageRecordStoreTest, DryRunWritesShowsAndCreatesNothing) {
    PinSettings settings = kBadSettings;
    UsageCounters counters = kBadCounters;
    const auto outcome = Restore(settings, counters, true);
    EXPECT_FALSE(std::filesystem::exists(File()));
    EXPECT_TRUE(written.empty() && shown.empty());
    EXPECT_FALSE(outcome.fileFailure);
    EXPECT_EQ(outcome.plan.settings, (PinSettings{{0, 0}, 1, {}}));
    EXPECT_EQ(settings, kBadSettings);
}

TEST_F(UsageRecordStoreTest, UnreadableFileIsReportedAndTheDefaultsStillWritten) {
    std::filesystem::create_directories(File());  // a folder where the file should be
    PinSettings settings = kBadSettings;
    UsageCounters counters = kGoodCounters;
    const auto outcome = Restore(settings, counters, false, false);
    EXPECT_EQ(shown, (std::vector<std::string>{"Access to " + File().string() + " was denied. [warning]", kPowerCycle}));
    EXPECT_EQ(settings, (PinSettings{{0, 0}, 1, {}}));
    EXPECT_FALSE(outcome.Wrote());  // the printer refused; the message is shown all the same
}

TEST_F(UsageRecordStoreTest, NoFolderEverFoundNamesTheFileAndTouchesNothing) {
    m_folders.override.reset();
    m_folders.common.reset();
    const auto failure = m_store.Append(true, {2026, 12, 8}, kGoodSettings, kGoodCounters);
    ASSERT_TRUE(failure);
    EXPECT_EQ(failure->English(), "zt40util.txt contains an invalid path.");
}

}  // namespace
}  // namespace zt40
