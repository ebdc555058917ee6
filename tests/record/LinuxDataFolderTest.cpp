// The data folder on Linux itself: sticky shared folders and the private fall-back.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "platform/linux/LinuxDataFolderPlatform.h"
#include "record/DataFolder.h"

namespace zt40 {
namespace {

class LinuxDataFolderTest : public testing::Test {
protected:
    void SetUp() override {
        m_root = std::filesystem::temp_directory_path() /
                 ("zt40-folder-" + std::to_string(::getpid()) + "-" +
                  testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(m_root);
        std::filesystem::create_directories(m_root / "lib");
        m_oldMask = ::umask(022);
    }
    void TearDown() override {
        ::umask(m_oldMask);
        ::unsetenv("XDG_STATE_HOME");
        std::filesystem::remove_all(m_root);
    }
    static mode_t ModeOf(const std::filesystem::path& path) {
        struct stat info {};
        EXPECT_EQ(::stat(path.c_str(), &info), 0) << path;
        return info.st_mode & 07777;
    }

    std::filesystem::path m_root;
    mode_t m_oldMask = 0;
};

TEST_F(LinuxDataFolderTest, SharedFoldersAreStickyAndWritableByAllWhateverTheUmask) {
    LinuxDataFolderPlatform platform((m_root / "lib").string());
    DataFolder folder(platform);
    std::string path;
    ASSERT_TRUE(folder.ResolveDataFolder("ZT-40 Pinwarden", path));
    EXPECT_EQ(path, (m_root / "lib/Velmora Corporation/ZT-40 Pinwarden").string());
    EXPECT_EQ(ModeOf(m_root / "lib/Velmora Corporation"), 01777u);
    EXPECT_EQ(ModeOf(path), 01777u);
}

TEST_F(LinuxDataFolderTest, UncreatableSharedFolderFallsBackToAPrivateStateFolder) {
    // A file where the shared folder's parent should be: mkdir fails even for root.
    std::ofstream(m_root / "notafolder") << "x";
    ::setenv("XDG_STATE_HOME", (m_root / "state/deep").c_str(), 1);
    LinuxDataFolderPlatform platform((m_root / "notafolder").string());
    DataFolder folder(platform);
    std::string path;
    ASSERT_TRUE(folder.ResolveDataFolder("ZT-40 Pinwarden", path));
    EXPECT_EQ(path, (m_root / "state/deep/Velmora Corporation/ZT-40 Pinwarden").string());
    EXPECT_EQ(ModeOf(m_root / "state/deep"), 0700u);
    EXPECT_EQ(ModeOf(path), 0700u);
}

TEST_F(LinuxDataFolderTest, RelativeStateHomeIsIgnoredForTheHomeFolder) {
    ::setenv("XDG_STATE_HOME", "relative/state", 1);
    const char* oldHome = std::getenv("HOME");
    const std::string savedHome = oldHome ? oldHome : "";
    ::setenv("HOME", m_root.c_str(), 1);
    LinuxDataFolderPlatform platform;
    const auto state = platform.UserStateFolder();
    if (oldHome) ::setenv("HOME", savedHome.c_str(), 1); else ::unsetenv("HOME");
    EXPECT_EQ(state, (m_root / ".local/state").string());
}

}  // namespace
}  // namespace zt40
