#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

#include "platform/linux/PosixRecordFiles.h"
#include "record/UsageRecordFile.h"
#include "support/FakeDataFolderPlatform.h"
#include "support/FaultyAppendFiles.h"

namespace zt40 {
namespace {

std::string ReadAll(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

class RecordFileTest : public testing::Test {
protected:
    void SetUp() override {
        m_dir = std::filesystem::temp_directory_path() /
                ("zt40-record-" + std::to_string(::getpid()) + "-" +
                 testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(m_dir);
        std::filesystem::create_directories(m_dir);
        m_path = (m_dir / "zt40util.txt").string();
    }
    void TearDown() override { std::filesystem::remove_all(m_dir); }

    std::vector<UsageRecord> Records(bool create = false) {
        std::vector<UsageRecord> records;
        const auto read = ReadRecordFile(m_files, m_path, create, [&](UsageRecord&& r) { records.push_back(r); });
        EXPECT_FALSE(read.failure) << read.failure->English();
        return records;
    }

    std::filesystem::path m_dir;
    std::string m_path;
    PosixRecordFiles m_files;
    const std::string m_record = FormatUsageRecord(true, {2026, 12, 8}, PinSettings{{1, 2}, 3, {}}, UsageCounters{});
    const std::string m_earlier = FormatUsageRecord(false, {2026, 12, 7}, PinSettings{{0, 0}, 1, {}}, UsageCounters{});
};

TEST_F(RecordFileTest, AppendsAfterWhatIsThereIntoAFileEveryoneMayWrite) {
    const mode_t mask = ::umask(077);
    ASSERT_FALSE(AppendToRecordFile(m_files, m_path, m_record));
    ::umask(mask);
    struct stat info {};
    ASSERT_EQ(::stat(m_path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0666u);
    ASSERT_FALSE(AppendToRecordFile(m_files, m_path, m_record));
    EXPECT_EQ(ReadAll(m_path), m_record + m_record);
    const auto records = Records();
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[1].line, 12u);
    EXPECT_EQ(records[1].settings.SelectedPin, 3);
}

// A creation cut off before its mode was set leaves the file private to its creator; the next
// append by the owner opens it to everyone again. Another user's file keeps its mode, and the
// refused change does not stop the append.
TEST_F(RecordFileTest, EachAppendByTheOwnerOpensTheFileToEveryone) {
    struct Case {
        const char* name;
        mode_t before;
        bool otherOwner;  // needs root to arrange
        mode_t after;
    };
    const Case cases[] = {
        {"TornCreationByTheOwner", 0600, false, 0666},
        {"UmaskModeOfTheOwner", 0644, false, 0666},
        {"AlreadyShared", 0666, false, 0666},
        {"AnotherUsersFile", 0644, true, 0644},
    };
    for (const auto& c : cases) {
        std::filesystem::remove(m_path);
        std::ofstream(m_path, std::ios::binary) << m_earlier;
        ASSERT_EQ(::chmod(m_path.c_str(), c.before), 0);
        if (c.otherOwner) {
            if (::geteuid() != 0 || ::chown(m_path.c_str(), 65534, 65534) != 0) {
                std::cout << "[ SKIPPED  ] " << c.name << ": only root can give the file away\n";
                continue;
            }
        }
        const auto failure = AppendToRecordFile(m_files, m_path, m_record);
        EXPECT_FALSE(failure) << c.name << ": " << failure->English();
        struct stat info {};
        ASSERT_EQ(::stat(m_path.c_str(), &info), 0);
        EXPECT_EQ(info.st_mode & 07777, c.after) << c.name;
        EXPECT_EQ(ReadAll(m_path), m_earlier + m_record) << c.name;
    }
}

TEST_F(RecordFileTest, FailedOrShortAppendLeavesTheFileAsItWas) {
    for (const std::int64_t keep : {std::int64_t{-1}, std::int64_t{0}, std::int64_t{5}, std::int64_t{60}}) {
        std::ofstream(m_path, std::ios::binary) << m_earlier;
        FaultyAppendFiles files(keep);
        const auto failure = AppendToRecordFile(files, m_path, m_record);
        ASSERT_TRUE(failure) << keep;
        EXPECT_EQ(failure->English(), (keep < 0 ? "A hardware I/O error was reported while accessing "
                                                : "Disk full while accessing ") + m_path + ".");
        EXPECT_EQ(ReadAll(m_path), m_earlier) << keep;
    }
}

TEST_F(RecordFileTest, AppendBeyondTheFileSizeLimitIsUndone) {
    std::ofstream(m_path, std::ios::binary) << m_earlier;
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{m_earlier.size() + 40, m_earlier.size() + 40};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        const auto failure = AppendToRecordFile(m_files, m_path, m_record);
        ::_exit(failure && failure->English() == "Disk full while accessing " + m_path + "." ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    EXPECT_EQ(ReadAll(m_path), m_earlier);
}

TEST_F(RecordFileTest, NothingButAPlainFileAtTheNameIsWrittenThrough) {
    const auto target = m_dir / "elsewhere";
    std::ofstream(target) << "keep";
    std::filesystem::create_symlink(target, m_path);
    auto failure = AppendToRecordFile(m_files, m_path, m_record);
    ASSERT_TRUE(failure);
    EXPECT_EQ(failure->English(), "Access to " + m_path + " was denied.");
    EXPECT_EQ(ReadAll(target), "keep");
    EXPECT_TRUE(std::filesystem::is_symlink(m_path));

    std::filesystem::remove(m_path);
    ASSERT_EQ(::mkfifo(m_path.c_str(), 0666), 0);
    failure = AppendToRecordFile(m_files, m_path, m_record);
    ASSERT_TRUE(failure);
    EXPECT_EQ(failure->English(), "Access to " + m_path + " was denied.");
    const auto read = ReadRecordFile(m_files, m_path, true, [](UsageRecord&&) {});
    EXPECT_FALSE(read.opened);
}

TEST_F(RecordFileTest, ReadingCreatesAMissingFileOnlyWhenAsked) {
    auto read = ReadRecordFile(m_files, m_path, false, [](UsageRecord&&) {});
    ASSERT_TRUE(read.failure);
    EXPECT_EQ(read.failure->English(), m_path + " was not found.");
    EXPECT_FALSE(std::filesystem::exists(m_path));
    const auto best = ReadBestRecord(m_files, m_path, true);
    EXPECT_TRUE(best.opened && !best.failure && !best.best);
    EXPECT_EQ(std::filesystem::file_size(m_path), 0u);
    ASSERT_FALSE(AppendToRecordFile(m_files, m_path, m_record));
    ASSERT_FALSE(AppendToRecordFile(m_files, m_path, "o20261207\n0:5, 0, 5\n"));  // cut short: not usable
    const auto after = ReadBestRecord(m_files, m_path, false);
    ASSERT_TRUE(after.best);
    EXPECT_EQ(after.best->settings.SelectedPin, 3);
}

TEST_F(RecordFileTest, AnotherWriterHoldingTheFileIsASharingViolationAfterABoundedWait) {
    std::ofstream(m_path) << m_earlier;
    const int holder = ::open(m_path.c_str(), O_RDONLY);
    ASSERT_GE(holder, 0);
    ASSERT_EQ(::flock(holder, LOCK_EX), 0);
    PosixRecordFiles files(std::chrono::milliseconds(30));
    const auto failure = AppendToRecordFile(files, m_path, m_record);
    ::close(holder);
    ASSERT_TRUE(failure);
    EXPECT_EQ(failure->English(), "A sharing violation occurred while accessing " + m_path + ".");
    EXPECT_EQ(ReadAll(m_path), m_earlier);
}

TEST(UsageRecordPath, OverrideFolderOrResolvedFolderOrNone) {
    test::FakeDataFolderPlatform platform;
    DataFolder folder(platform);
    std::string folderPath;
    EXPECT_EQ(UsageRecordPath(folder, platform, folderPath, "zt40util"),
              "C:\\ProgramData\\Velmora Corporation\\ZT-40 Pinwarden\\zt40util.txt");

    // A failed resolution keeps the folder found before.
    platform.common.reset();
    EXPECT_EQ(UsageRecordPath(folder, platform, folderPath, "zt40util"),
              "C:\\ProgramData\\Velmora Corporation\\ZT-40 Pinwarden\\zt40util.txt");
    folderPath.clear();
    EXPECT_EQ(UsageRecordPath(folder, platform, folderPath, "zt40util"), std::nullopt);

    platform.override = "D:\\records";
    EXPECT_EQ(UsageRecordPath(folder, platform, folderPath, "renamed"), "D:\\records\\renamed.txt");
}

TEST(ApplicationNameOf, ProgramFileNameWithoutFolderOrExtension) {
    const std::pair<const char*, const char*> cases[] = {
        {"C:\\Tools\\zt40util.exe", "zt40util"}, {"/usr/bin/zt40util", "zt40util"},
        {"/opt/a.b/tool.v2.exe", "tool.v2"},     {"/opt/.hidden", ".hidden"},
    };
    for (const auto& [path, name] : cases) EXPECT_EQ(ApplicationNameOf(path), name) << path;
}

}  // namespace
}  // namespace zt40
