#include <gtest/gtest.h>
#include <unistd.h>
#if defined(_WIN32)
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#endif

#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <vector>

#include "record/UsageRecordStore.h"
#include "support/FakeDataFolderPlatform.h"
#include "support/FaultyAppendFiles.h"
#include "support/FileText.h"
#include "wiring/RecordWiring.h"

namespace zt40 {
namespace {

// Another program holding the record file: an exclusive lock on POSIX, an open that shares
// nothing on Windows.
class OtherProgramsHold {
public:
    OtherProgramsHold() = default;
    OtherProgramsHold(const OtherProgramsHold&) = delete;
    OtherProgramsHold& operator=(const OtherProgramsHold&) = delete;
    ~OtherProgramsHold() { Release(); }
#if defined(_WIN32)
    bool Take(const std::filesystem::path& file) {
        m_handle = CreateFileA(file.string().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        return m_handle != INVALID_HANDLE_VALUE;
    }
    void Release() {
        if (m_handle != INVALID_HANDLE_VALUE) CloseHandle(m_handle);
        m_handle = INVALID_HANDLE_VALUE;
    }

private:
    HANDLE m_handle = INVALID_HANDLE_VALUE;
#else
    bool Take(const std::filesystem::path& file) {
        m_fd = ::open(file.c_str(), O_RDONLY);
        return m_fd >= 0 && ::flock(m_fd, LOCK_EX) == 0;
    }
    void Release() {
        if (m_fd >= 0) ::close(m_fd);
        m_fd = -1;
    }

private:
    int m_fd = -1;
#endif
};

const PinSettings kGoodSettings{{3, -4}, 5, {1, 2, 3, 4, 5, 6, 7, 8, 9}};
const PinSettings kBadSettings{{300, 0}, 5, {}};
const UsageCounters kGoodCounters{500, {1, 2, 3, 4, 5, 6, 7, 8, 9}, {2, 44}};
const UsageCounters kBadCounters{-1, {}, {0, 44}};

class UsageRecordStoreTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_dir = std::filesystem::temp_directory_path() /
                ("zt40-store-" + std::to_string(::getpid()) + "-" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(m_dir);
        std::filesystem::create_directories(m_dir);
        m_folders.separator = static_cast<char>(std::filesystem::path::preferred_separator);
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
    SystemRecordFiles m_files{std::chrono::milliseconds(50)};
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

// Only a missing file or one read to its end without a usable record lets the defaults in: a
// file that is there but cannot be read may hold the printer's real counts.
TEST_F(UsageRecordStoreTest, AFileThatIsThereButCannotBeReadRestoresNothing) {
    const std::string path = File().string();
    const std::string usable = FormatUsageRecord(true, {2026, 12, 8}, kGoodSettings, kGoodCounters);
    struct Case {
        const char* name;
        std::function<bool(const std::filesystem::path&)> make;  // false: not possible here
        RestoreBasis basis;
        std::vector<std::string> shown;
    };
    OtherProgramsHold holder;
    std::vector<Case> cases = {
        {"NoFile", [](const auto&) { return true; }, RestoreBasis::NoFile, {kPowerCycle}},
        {"NoUsableRecord", [&](const auto& f) { return bool(std::ofstream(f) << "notes\n" << usable.substr(0, 40)); },
         RestoreBasis::NoUsableRecord, {kPowerCycle}},
        {"UsableRecord", [&](const auto& f) { return bool(std::ofstream(f) << usable); }, RestoreBasis::RecordUsed,
         {kPowerCycle}},
        {"FolderAtTheName", [](const auto& f) { return std::filesystem::create_directory(f); },
         RestoreBasis::FileUnreadable, {"Access to " + path + " was denied. [warning]"}},
        {"HeldByAnotherProgram",
         [&](const auto& f) {
             std::ofstream(f) << usable;
             return holder.Take(f);
         },
         RestoreBasis::FileUnreadable, {"A sharing violation occurred while accessing " + path + ". [warning]"}},
    };
#if !defined(_WIN32)
    // What only a POSIX file system holds, or only its permissions refuse.
    const std::vector<Case> posixOnly = {
        {"FifoAtTheName", [](const auto& f) { return ::mkfifo(f.c_str(), 0666) == 0; }, RestoreBasis::FileUnreadable,
         {"Access to " + path + " was denied. [warning]"}},
        {"SymlinkAtTheName",
         [&](const auto& f) {
             std::ofstream(m_dir / "elsewhere") << usable;
             std::filesystem::create_symlink(m_dir / "elsewhere", f);
             return true;
         },
         RestoreBasis::FileUnreadable, {"Access to " + path + " was denied. [warning]"}},
        {"NoPermission",
         [&](const auto& f) {
             std::ofstream(f) << usable;
             std::filesystem::permissions(f, std::filesystem::perms::none);
             return ::geteuid() != 0;  // root reads it all the same
         },
         RestoreBasis::FileUnreadable, {"Access to " + path + " was denied. [warning]"}},
    };
    cases.insert(cases.end(), posixOnly.begin(), posixOnly.end());
#endif
    for (const auto& c : cases) {
        std::filesystem::remove_all(m_dir);
        std::filesystem::create_directories(m_dir);
        written.clear();
        shown.clear();
        if (!c.make(File())) {
            std::cout << "[ SKIPPED  ] " << c.name << ": not possible for this user\n";
            continue;
        }
        PinSettings settings = kBadSettings;
        UsageCounters counters = kBadCounters;
        const auto preview = Restore(settings, counters, true);
        const auto outcome = Restore(settings, counters);
        holder.Release();
        EXPECT_EQ(preview.basis, c.basis) << c.name;
        EXPECT_EQ(outcome.basis, c.basis) << c.name;
        const bool plansWrites = outcome.plan.settings || outcome.plan.counters;
        EXPECT_EQ(WritesDefaults(outcome.basis), plansWrites && !outcome.plan.fromRecord) << c.name;
        if (c.basis != RestoreBasis::FileUnreadable) {
            EXPECT_EQ(written, (std::vector<std::string>{"settings", "counters"})) << c.name;
            EXPECT_EQ(shown, c.shown) << c.name;
            continue;
        }
        EXPECT_TRUE(written.empty()) << c.name;
        EXPECT_FALSE(preview.plan.settings || preview.plan.counters) << c.name << ": a preview offers nothing either";
        EXPECT_EQ(settings, kBadSettings) << c.name;
        auto expected = c.shown;
        expected.push_back("Nothing was restored: the printer keeps its values until " + path + " can be read. [warning]");
        EXPECT_EQ(shown, expected) << c.name;
        for (const auto& text : shown) EXPECT_EQ(text.find("default"), std::string::npos) << c.name;
    }
}

// Whatever a crash cut off the last record, or a line of none: the next one takes its place, restore no cut value.
TEST_F(UsageRecordStoreTest, EveryCutOfTheLastRecordIsGoneBeforeTheNextOne) {
    const std::string first = FormatUsageRecord(true, {2026, 12, 7}, kGoodSettings, kGoodCounters);
    const std::string last = FormatUsageRecord(true, {2026, 12, 8}, kGoodSettings, {9'000, {}, {}});
    std::vector<std::pair<std::string, std::string>> tails{{"a note", ""}, {"a note\n", "a note\n"}};  // left, kept
    for (std::size_t keep = 0; keep < last.size(); ++keep) tails.push_back({last.substr(0, keep), ""});
    for (const auto& [tail, kept] : tails) {
        for (const UsageCounters& next : {UsageCounters{700, {}, {}}, kBadCounters}) {  // taken, or the first is
            std::ofstream(File(), std::ios::binary | std::ios::trunc) << first + tail;
            ASSERT_FALSE(m_store.Append(false, {2026, 12, 9}, kGoodSettings, next));
            EXPECT_EQ(testing::FileText(File()), first + kept + FormatUsageRecord(false, {2026, 12, 9}, kGoodSettings, next));
            const auto best = m_store.ReadBest(false).best.value_or(UsageRecord{});
            EXPECT_EQ(best.counters.TotalCounter, next.TotalCounter < 0 ? 500 : 700) << tail;
        }
    }
}

TEST_F(UsageRecordStoreTest, AReadThatFailsPartWayRestoresNothingEvenAfterAUsableRecord) {
    std::ofstream(File()) << FormatUsageRecord(true, {2026, 12, 8}, kGoodSettings, kGoodCounters)
                          << FormatUsageRecord(true, {2026, 12, 9}, kGoodSettings, kGoodCounters);
    FaultyAppendFiles files(0, 12);
    UsageRecordStore store{{m_folders, files, "zt40util"}};
    PinSettings settings = kBadSettings;
    UsageCounters counters = kBadCounters;
    const auto outcome = RestoreFromRecordFile(&store, settings, counters,
                                               {[&](const PinSettings&) { return true; },
                                                [&](const UsageCounters&) { return true; },
                                                [&](const Message& m, MbIcon) { shown.push_back(m.English()); }});
    EXPECT_EQ(outcome.basis, RestoreBasis::FileUnreadable);
    EXPECT_FALSE(outcome.Wrote());
    EXPECT_EQ(shown.front(), "A hardware I/O error was reported while accessing " + File().string() + ".");
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
