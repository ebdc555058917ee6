// zt40ctl when the usage record cannot be read or written: restore writes nothing and
// adjust-pins fails its run, each with exit status 8 and the file and its trouble named; and
// what restore and history take from a file cut inside its last line or begun with a
// byte-order mark.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <iterator>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <iostream>

#include "record/RecordFormat.h"
#include "tests/support/CtlProgram.h"

namespace zt40::testing {
namespace {

constexpr int kRecordFileStatus = 8;
const char* const kOutOfRange = "word_pair = 250 -3\nselected_pin = 12\ntotal = -50\n";
const char* const kReadings = " adjust-pins --no-print --readings A0,A0,A0,A0,A0,A0,A0,A0,A0";

class CtlRecordFailuresTest : public CtlProgramTest {
public:
    void SetUp() override {
        CtlProgramTest::SetUp();
        UseDataDir(m_dir);
    }
    void TearDown() override {
        if (m_holder >= 0) ::close(m_holder);
        if (m_mounted) ::umount2(m_tmpfs.c_str(), MNT_DETACH);
        ::unsetenv("ZT40_DATA_DIR");
        CtlProgramTest::TearDown();
    }
    void UseDataDir(const std::filesystem::path& dir) {
        m_data = dir;
        ::setenv("ZT40_DATA_DIR", dir.c_str(), 1);
    }
    std::filesystem::path File() const { return m_data / "zt40util.txt"; }
    const std::filesystem::path& Dir() const { return m_dir; }
    // Holds the file as another program would, for longer than zt40ctl waits.
    bool Hold() {
        m_holder = ::open(File().c_str(), O_RDONLY);
        return m_holder >= 0 && ::flock(m_holder, LOCK_EX) == 0;
    }
    // A 64 kB file system filled up; only root may mount one.
    bool FullDisk() {
        m_tmpfs = m_dir / "full";
        std::filesystem::create_directories(m_tmpfs);
        if (::geteuid() != 0 || ::mount("tmpfs", m_tmpfs.c_str(), "tmpfs", 0, "size=64k") != 0) return false;
        m_mounted = true;
        UseDataDir(m_tmpfs);
        std::ofstream filler(m_tmpfs / "filler", std::ios::binary);
        const std::string block(4096, 'f');
        while (filler.write(block.data(), static_cast<std::streamsize>(block.size())) && filler.flush()) {
        }
        return true;
    }
    std::string Record(std::int32_t total) const {
        return FormatUsageRecord(true, {2026, 12, 1}, PinSettings{{-12, 7}, 4, {}}, UsageCounters{total, {}, {3, 0}});
    }

    std::filesystem::path m_data;
    std::filesystem::path m_tmpfs;
    bool m_mounted = false;
    int m_holder = -1;
};

struct Obstacle {
    const char* name;
    std::function<bool(CtlRecordFailuresTest&, const std::filesystem::path&)> arrange;  // false: skip here
    const char* trouble;  // the start of what stood in the way
};

bool Usable(const std::filesystem::path& file) {
    std::ofstream(file) << FormatUsageRecord(true, {2026, 12, 1}, PinSettings{{-12, 7}, 4, {}},
                                             UsageCounters{900, {}, {3, 0}});
    return true;
}

TEST_F(CtlRecordFailuresTest, RestoreWithAnUnreadableFileWritesNothingAndExitsEight) {
    const Obstacle obstacles[] = {
        {"FolderAtTheName", [](auto&, const auto& f) { return std::filesystem::create_directory(f); }, "Access to "},
        {"FifoAtTheName", [](auto&, const auto& f) { return ::mkfifo(f.c_str(), 0666) == 0; }, "Access to "},
        {"SymlinkAtTheName",
         [](auto&, const auto& f) {
             Usable(f.parent_path() / "elsewhere");
             std::filesystem::create_symlink(f.parent_path() / "elsewhere", f);
             return true;
         },
         "Access to "},
        {"HeldByAnotherProgram", [](auto& t, const auto& f) { return Usable(f) && t.Hold(); },
         "A sharing violation occurred while accessing "},
        {"NoPermission",
         [](auto&, const auto& f) {
             Usable(f);
             std::filesystem::permissions(f, std::filesystem::perms::none);
             return ::geteuid() != 0;  // root reads it all the same
         },
         "Access to "},
    };
    const std::string state = StateFile(kOutOfRange);
    for (const auto& o : obstacles) {
        SCOPED_TRACE(o.name);
        std::filesystem::remove_all(File());
        std::filesystem::remove_all(m_dir / "elsewhere");
        if (!o.arrange(*this, File())) {
            std::cout << "[ SKIPPED  ] " << o.name << ": not possible for this user\n";
            continue;
        }
        for (const char* mode : {" restore --dry-run", " restore"}) {
            const auto started = std::chrono::steady_clock::now();
            const auto run = Ctl("--simulate=" + state + mode, 20);
            EXPECT_EQ(run.exitStatus, kRecordFileStatus) << mode << run.err;
            EXPECT_NE(run.err.find(o.trouble + File().string()), std::string::npos) << mode << run.err;
            EXPECT_EQ(run.err.find("default"), std::string::npos) << mode << run.err;
            EXPECT_EQ(run.out.find("written"), std::string::npos) << mode << run.out;
            EXPECT_EQ(run.out.find("turn on the power"), std::string::npos) << mode << run.out;
            EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(10));
        }
        if (m_holder >= 0) ::close(m_holder);
        m_holder = -1;
    }
    // The control: with no file the defaults are written, as before the first wizard.
    std::filesystem::remove_all(File());
    const auto run = Ctl("--simulate=" + state + " restore");
    EXPECT_EQ(run.exitStatus, 0) << run.err;
    EXPECT_NE(run.out.find("Pin settings written from the defaults."), std::string::npos) << run.out;
}

TEST_F(CtlRecordFailuresTest, AdjustPinsWhoseRecordCannotBeAppendedExitsEightAfterThePrinterPart) {
    const Obstacle obstacles[] = {
        {"DiskFull", [](auto& t, const auto&) { return t.FullDisk(); }, "Disk full while accessing "},
        {"FolderAtTheName", [](auto&, const auto& f) { return std::filesystem::create_directory(f); }, "Access to "},
        {"HeldByAnotherProgram", [](auto& t, const auto& f) { return Usable(f) && t.Hold(); },
         "A sharing violation occurred while accessing "},
        {"MissingFolder",
         [](auto& t, const auto&) {
             t.UseDataDir(t.Dir() / "missing");
             return true;
         },
         ""},
    };
    const std::string state = StateFile("adjustments = 3 -2 0 5 -12 8 0 1 -4\n");
    for (const auto& o : obstacles) {
        SCOPED_TRACE(o.name);
        UseDataDir(m_dir);
        std::filesystem::remove_all(File());
        if (!o.arrange(*this, File())) {
            std::cout << "[ SKIPPED  ] " << o.name << ": not possible for this user\n";
            continue;
        }
        const auto run = Ctl("--simulate=" + state + kReadings, 20);
        EXPECT_EQ(run.exitStatus, kRecordFileStatus) << run.err;
        EXPECT_NE(run.err.find(o.trouble + File().string()), std::string::npos) << run.err;
        EXPECT_NE(run.err.find("The new pin adjustments were written to the printer, but the usage record of this run "
                               "was not kept."),
                  std::string::npos)
            << run.err;
        EXPECT_NE(run.out.find("adjustments: "), std::string::npos) << "the settings read back are still shown";
        if (m_holder >= 0) ::close(m_holder);
        m_holder = -1;
    }
    UseDataDir(m_dir);
    std::filesystem::remove_all(File());
    const auto run = Ctl("--simulate=" + state + kReadings);
    EXPECT_EQ(run.exitStatus, 0) << run.err;
    std::ifstream kept(File());
    const std::string text((std::istreambuf_iterator<char>(kept)), {});
    EXPECT_TRUE(text.starts_with("o") && std::ranges::count(text, '\n') == 11) << "one record kept:\n" << text;
}

// Whole records only, and a byte-order mark before the first one passed over.
TEST_F(CtlRecordFailuresTest, HistoryAndRestoreTakeWholeRecordsAndPassOverAByteOrderMark) {
    struct Case {
        const char* name;
        std::string file;
        std::vector<std::string> history;  // pieces of the table, in order
        const char* restoreTakes;          // the total counter restore would write
        const char* reasonKey;             // of the newest record in JSON
    };
    const std::string second = Record(8500);
    const Case cases[] = {
        {"LastLineWithoutLineFeed", Record(900) + second.substr(0, second.size() - 1),
         {"2026-12-01  finished", "no ", "cut short: the file ends inside its last line", "yes (restored)"}, "-> 900",
         "\"reasonKey\": \"last-line-cut\""},
        {"CutInsideTheLastNumber", Record(900) + second.substr(0, second.size() - 3),
         {"cut short: the file ends inside its last line", "yes (restored)"}, "-> 900",
         "\"reasonKey\": \"last-line-cut\""},
        {"ByteOrderMarkFirst", "\xEF\xBB\xBF" + Record(900), {"2026-12-01  finished", "yes (restored)"}, "-> 900",
         "\"reasonKey\": null"},
    };
    const std::string state = StateFile(kOutOfRange);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::ofstream(File(), std::ios::binary | std::ios::trunc) << c.file;
        auto run = Ctl("history");
        EXPECT_EQ(run.exitStatus, 0) << run.err;
        std::size_t at = 0;
        for (const auto& piece : c.history) {
            const auto found = run.out.find(piece, at);
            ASSERT_NE(found, std::string::npos) << piece << "\n" << run.out;
            at = found + piece.size();
        }
        run = Ctl("history --format json");
        EXPECT_NE(run.out.find(c.reasonKey), std::string::npos) << run.out;
        run = Ctl("--simulate=" + state + " restore --dry-run");
        EXPECT_EQ(run.exitStatus, 0) << run.err;
        EXPECT_NE(run.out.find("Restore would write the last usable record of"), std::string::npos) << run.out;
        EXPECT_NE(run.out.find(c.restoreTakes), std::string::npos) << run.out;
    }
}

// A printer that stays busy: the command still gives up after its 5 s, without spending them
// all on the processor.
TEST_F(CtlRecordFailuresTest, APrinterThatNeverFinishesCostsLittleProcessorTime) {
    rusage before{};
    ::getrusage(RUSAGE_CHILDREN, &before);
    const auto started = std::chrono::steady_clock::now();
    const auto run = Ctl("--simulate=" + StateFile("fault = never_finish\n") + " status", 30);
    const auto wall = std::chrono::steady_clock::now() - started;
    rusage after{};
    ::getrusage(RUSAGE_CHILDREN, &after);
    const auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6; };
    const double cpu = seconds(after.ru_utime) + seconds(after.ru_stime) - seconds(before.ru_utime) -
                       seconds(before.ru_stime);
    EXPECT_EQ(run.exitStatus, 1) << run.err;
    EXPECT_GE(wall, std::chrono::seconds(5));
    EXPECT_LT(wall, std::chrono::seconds(20));
    EXPECT_LT(cpu, 0.75) << "seconds of processor time in " << std::chrono::duration<double>(wall).count();
}

}  // namespace
}  // namespace zt40::testing
