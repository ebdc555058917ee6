// The record file on the system itself: appends at the end, cut back after a failed append,
// kept from other openers, and nothing but a plain file.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "platform/win32/Win32RecordFiles.h"

namespace zt40 {
namespace {

class RecordFilesOnSystemTest : public ::testing::Test {
protected:
    void SetUp() override {
        char folder[MAX_PATH] = {};
        ASSERT_NE(GetTempPathA(MAX_PATH, folder), 0u);
        path = std::string(folder) + "zt40-record-" + std::to_string(GetCurrentProcessId()) + ".txt";
        DeleteFileA(path.c_str());
    }
    void TearDown() override { DeleteFileA(path.c_str()); }

    std::string Contents() {
        FileError error = FileError::None;
        auto file = files.OpenForReading(path, false, error);
        if (!file) return "<unreadable>";
        std::string text(256, '\0');
        const auto n = file->Read(text, error);
        text.resize(n < 0 ? 0 : static_cast<std::size_t>(n));
        return text;
    }

    Win32RecordFiles files{std::chrono::milliseconds(100)};
    std::string path;
};

TEST_F(RecordFilesOnSystemTest, AppendsGoToTheEndAndACutBackRemovesOnlyTheNewBytes) {
    FileError error = FileError::None;
    {
        auto file = files.OpenForAppend(path, error);
        ASSERT_NE(file, nullptr);
        EXPECT_EQ(file->Append(std::string_view("first\n"), error), 6);
    }
    auto file = files.OpenForAppend(path, error);
    ASSERT_NE(file, nullptr);
    std::uint64_t before = 0;
    ASSERT_EQ(file->Size(before), FileError::None);
    EXPECT_EQ(before, 6u);
    EXPECT_EQ(file->Append(std::string_view("second, cut\n"), error), 12);
    ASSERT_EQ(file->Truncate(before), FileError::None);
    EXPECT_EQ(file->Append(std::string_view("third\n"), error), 6) << "after a cut the next append is at the new end";
    EXPECT_EQ(file->Close(), FileError::None);
    EXPECT_EQ(Contents(), "first\nthird\n");
}

TEST_F(RecordFilesOnSystemTest, AnAppenderKeepsOthersOutAndReadersShare) {
    FileError error = FileError::None;
    auto writer = files.OpenForAppend(path, error);
    ASSERT_NE(writer, nullptr);
    FileError second = FileError::None;
    EXPECT_EQ(files.OpenForAppend(path, second), nullptr);
    EXPECT_EQ(second, FileError::SharingViolation);
    EXPECT_EQ(files.OpenForReading(path, false, second), nullptr);
    writer->Close();
    auto reader = files.OpenForReading(path, false, error);
    auto otherReader = files.OpenForReading(path, false, error);
    EXPECT_NE(reader, nullptr);
    EXPECT_NE(otherReader, nullptr);
}

TEST_F(RecordFilesOnSystemTest, AMissingFileIsCreatedForReadingOnlyWhenAsked) {
    FileError error = FileError::None;
    EXPECT_EQ(files.OpenForReading(path, false, error), nullptr);
    EXPECT_EQ(error, FileError::NotFound);
    auto created = files.OpenForReading(path, true, error);
    ASSERT_NE(created, nullptr);
    std::uint64_t size = 1;
    EXPECT_EQ(created->Size(size), FileError::None);
    EXPECT_EQ(size, 0u);
}

TEST_F(RecordFilesOnSystemTest, AFolderAtTheNameIsRefused) {
    ASSERT_TRUE(CreateDirectoryA(path.c_str(), nullptr));
    FileError error = FileError::None;
    EXPECT_EQ(files.OpenForAppend(path, error), nullptr);
    EXPECT_EQ(error, FileError::AccessDenied);
    RemoveDirectoryA(path.c_str());
}

TEST(FileErrorFromWin32, SystemCodesBecomeTheKindsTheOperatorIsTold) {
    EXPECT_EQ(FileErrorFromWin32(ERROR_FILE_NOT_FOUND), FileError::NotFound);
    EXPECT_EQ(FileErrorFromWin32(ERROR_PATH_NOT_FOUND), FileError::BadPath);
    EXPECT_EQ(FileErrorFromWin32(ERROR_ACCESS_DENIED), FileError::AccessDenied);
    EXPECT_EQ(FileErrorFromWin32(ERROR_SHARING_VIOLATION), FileError::SharingViolation);
    EXPECT_EQ(FileErrorFromWin32(ERROR_LOCK_VIOLATION), FileError::LockViolation);
    EXPECT_EQ(FileErrorFromWin32(ERROR_DISK_FULL), FileError::DiskFull);
    EXPECT_EQ(FileErrorFromWin32(ERROR_HANDLE_DISK_FULL), FileError::DiskFull);
    EXPECT_EQ(FileErrorFromWin32(ERROR_NOT_ENOUGH_MEMORY), FileError::Generic);
}

}  // namespace
}  // namespace zt40
