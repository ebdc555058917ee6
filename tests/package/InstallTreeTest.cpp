// What `cmake --install` lays down, as a package or a local install ships it: every file
// where the system looks for it, with the mode the system requires of it.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <array>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "PackageFiles.h"
#include "support/BuildTree.h"

namespace fs = std::filesystem;

namespace {

class InstallTreeTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        std::string pattern = (fs::temp_directory_path() / "zt40-install-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        s_root = pattern;
        // DESTDIR keeps the absolute destinations (cupsd's filter folder, /var/lib) inside the tree too.
        const std::string command = "DESTDIR='" + s_root.string() + "' '" ZT40_CMAKE_COMMAND "' --install '" ZT40_BINARY_DIR
                                    "' --prefix /usr > '" + s_root.string() + ".log' 2>&1";
        s_status = std::system(command.c_str());
    }
    static void TearDownTestSuite() {
        std::error_code ec;
        fs::remove_all(s_root, ec);
        fs::remove(s_root.string() + ".log", ec);
    }
    void SetUp() override { ASSERT_EQ(s_status, 0) << zt40::testing::ReadText(s_root.string() + ".log"); }

    static fs::path Installed(const std::string& path) { return s_root / fs::path(path).relative_path(); }

    static inline fs::path s_root;
    static inline int s_status = -1;
};

struct Expected {
    const char* path;
    mode_t mode;
};

TEST_F(InstallTreeTest, EachFileWhereTheSystemLooksWithItsMode) {
    const std::string man = "/usr/share/man/man1/";
    const std::array<Expected, 9> files{{
        {"/usr/bin/zt40ctl", 0755},
        {"/usr/bin/zt40util", 0755},
        // cupsd refuses to run a filter that anyone but its owner may change.
        {"/usr/lib/cups/filter/zt40-passthrough", 0755},
        {"/usr/share/cups/model/velmora/velmora-zt40.ppd", 0644},
        {"/usr/share/applications/" ZT40_APP_ID ".desktop", 0644},
        {"/usr/share/metainfo/" ZT40_APP_ID ".metainfo.xml", 0644},
        {"/usr/share/man/man1/zt40ctl.1", 0644},
        {"/usr/share/man/man1/zt40util.1", 0644},
        // Every user appends records; the sticky bit keeps them from deleting each other's file.
        {ZT40_RECORD_DIR, 01777},
    }};
    for (const auto& [path, mode] : files) {
        struct stat st {};
        ASSERT_EQ(::lstat(Installed(path).c_str(), &st), 0) << path << " is not installed";
        EXPECT_EQ(st.st_mode & 07777, mode) << path;
    }
    EXPECT_FALSE(fs::exists(s_root / "usr/local")) << "a --prefix /usr install wrote under /usr/local";
}

TEST_F(InstallTreeTest, EveryRecordFolderLevelIsSharedButNotTheCommonFolder) {
    const fs::path record = Installed(ZT40_RECORD_DIR);
    struct stat st {};
    ASSERT_EQ(::stat(record.parent_path().c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 01777u) << record.parent_path();
    // The machine's own /var/lib must never become writable by everyone.
    ASSERT_EQ(::stat(record.parent_path().parent_path().c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07002, 0u) << record.parent_path().parent_path();
}

TEST_F(InstallTreeTest, TheUdevRuleLandsInAFolderUdevReads) {
    // udev never reads a rules folder under /usr/local: /usr/lib for a package, /etc otherwise.
    const bool packaged = fs::exists(Installed("/usr/lib/udev/rules.d/70-zt40-pinwarden.rules"));
    const bool local = fs::exists(Installed("/etc/udev/rules.d/70-zt40-pinwarden.rules"));
    EXPECT_NE(packaged, local);
}

TEST_F(InstallTreeTest, ManualPagesAreRoffNotTheirSources) {
    for (const char* page : {"/usr/share/man/man1/zt40ctl.1", "/usr/share/man/man1/zt40util.1"}) {
        const std::string text = zt40::testing::ReadText(Installed(page));
        EXPECT_TRUE(text.find(".TH ") != std::string::npos) << page;
        EXPECT_EQ(text.find('@'), std::string::npos) << page << " still holds a configure placeholder";
    }
    EXPECT_NE(zt40::testing::ReadText(Installed("/usr/share/man/man1/zt40util.1")).find(ZT40_RECORD_DIR),
              std::string::npos);
}

// A PNG's width and height are the first two big-endian words of its IHDR chunk.
std::pair<std::uint32_t, std::uint32_t> PngSize(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::array<unsigned char, 24> head{};
    if (!in.read(reinterpret_cast<char*>(head.data()), head.size())) return {0, 0};
    constexpr std::array<unsigned char, 8> kSignature{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (!std::equal(kSignature.begin(), kSignature.end(), head.begin())) return {0, 0};
    auto word = [&](std::size_t at) {
        return std::uint32_t{head[at]} << 24 | std::uint32_t{head[at + 1]} << 16 | std::uint32_t{head[at + 2]} << 8 |
               std::uint32_t{head[at + 3]};
    };
    return {word(16), word(20)};
}

TEST_F(InstallTreeTest, EachIconIsRenderedAtItsFoldersSize) {
    if (!fs::exists(ZT40_SOURCE_DIR "/res/icons/zt40util.svg")) GTEST_SKIP() << "the tree has no program icon yet";
    EXPECT_TRUE(fs::exists(Installed("/usr/share/icons/hicolor/scalable/apps/zt40util.svg")));
    for (const std::uint32_t size : {16u, 22u, 24u, 32u, 48u, 64u, 128u, 256u}) {
        const std::string edge = std::to_string(size);
        const auto png = Installed("/usr/share/icons/hicolor/" + edge + "x" + edge + "/apps/zt40util.png");
        EXPECT_EQ(PngSize(png), std::make_pair(size, size)) << png;
    }
}

}  // namespace
