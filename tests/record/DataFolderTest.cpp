#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "record/DataFolder.h"
#include "support/FakeDataFolderPlatform.h"

namespace zt40 {
namespace {

using test::FakeDataFolderPlatform;

const std::string kCompany = "C:\\ProgramData\\Velmora Corporation";
const std::string kProduct = kCompany + "\\ZT-40 Pinwarden";

struct ResolveCase {
    const char* name;
    std::set<std::string> existing;
    std::set<std::string> refused;
    std::optional<std::string> common;
    bool expected;
    std::vector<std::string> created;  // in order; every one with the everyone-may-do-all rights
};

void PrintTo(const ResolveCase& c, std::ostream* out) { *out << c.name; }

class ResolveDataFolderTest : public testing::TestWithParam<ResolveCase> {};

TEST_P(ResolveDataFolderTest, CreatesWhatIsMissingAndWritesOnlyOnSuccess) {
    const auto& c = GetParam();
    FakeDataFolderPlatform platform;
    platform.existing = c.existing;
    platform.refused = c.refused;
    platform.common = c.common;
    DataFolder folder(platform);
    std::string path = "earlier";
    EXPECT_EQ(folder.ResolveDataFolder("ZT-40 Pinwarden", path), c.expected);
    EXPECT_EQ(path, c.expected ? kProduct : "earlier");
    std::vector<std::string> created;
    for (const auto& made : platform.created) {
        created.push_back(made.path);
        EXPECT_TRUE(made.everyoneAll) << made.path;
    }
    EXPECT_EQ(created, c.created);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ResolveDataFolderTest,
    testing::Values(
        ResolveCase{"BothPresent", {kCompany, kProduct}, {}, "C:\\ProgramData", true, {}},
        ResolveCase{"BothMissing", {}, {}, "C:\\ProgramData", true, {kCompany, kProduct}},
        ResolveCase{"ProductMissing", {kCompany}, {}, "C:\\ProgramData", true, {kProduct}},
        // A file under the name counts as present and is not replaced.
        ResolveCase{"CompanyNotCreatable", {}, {kCompany}, "C:\\ProgramData", false, {}},
        ResolveCase{"ProductNotCreatable", {kCompany}, {kProduct}, "C:\\ProgramData", false, {}},
        ResolveCase{"NoSharedFolderFunction", {}, {}, std::nullopt, false, {}}),
    [](const auto& param) { return std::string(param.param.name); });

TEST(ResolveDataFolder, TrailingSeparatorOfTheSharedFolderIsNotDoubledAtTheEnd) {
    FakeDataFolderPlatform platform;
    platform.common = "C:\\";
    DataFolder folder(platform);
    std::string path;
    ASSERT_TRUE(folder.ResolveDataFolder("ZT-40 Pinwarden\\", path));
    EXPECT_EQ(path, "C:\\\\Velmora Corporation\\ZT-40 Pinwarden");
}

TEST(ResolveDataFolder, FallsBackToThePrivateStateFolderWhenTheSharedOneCannotBeCreated) {
    FakeDataFolderPlatform platform;
    platform.separator = '/';
    platform.common = "/var/lib";
    platform.refused = {"/var/lib/Velmora Corporation"};
    platform.userState = "/home/op/.local/state";
    DataFolder folder(platform);
    std::string path;
    ASSERT_TRUE(folder.ResolveDataFolder("ZT-40 Pinwarden", path));
    EXPECT_EQ(path, "/home/op/.local/state/Velmora Corporation/ZT-40 Pinwarden");
    ASSERT_EQ(platform.created.size(), 2u);
    EXPECT_FALSE(platform.created[0].everyoneAll);
    EXPECT_FALSE(platform.created[1].everyoneAll);
}

TEST(ResolveDataFolder, LongFolderNameIsCutTo259Characters) {
    FakeDataFolderPlatform platform;
    DataFolder folder(platform);
    std::string path;
    ASSERT_TRUE(folder.ResolveDataFolder(std::string(300, 'n'), path));
    EXPECT_EQ(folder.FolderName().size(), 259u);
}

struct VersionCase {
    std::uint32_t platformId;
    std::uint32_t major;
    bool later;
};

TEST(IsWindows2000OrLater, NeedsTheNtFamilyFromMajorVersionFive) {
    for (const auto& c : {VersionCase{2, 5, true}, VersionCase{2, 6, true}, VersionCase{2, 4, false},
                          VersionCase{1, 5, false}, VersionCase{1, 4, false}}) {
        FakeDataFolderPlatform platform;
        platform.version.platformId = c.platformId;
        platform.version.majorVersion = c.major;
        EXPECT_EQ(DataFolder(platform).IsWindows2000OrLater(), c.later) << c.platformId << "." << c.major;
    }
}

TEST(ProgramDataFolder, ProgramFolderOrItsParentWhenNamedProgram) {
    const std::pair<const char*, const char*> cases[] = {
        {"C:\\Tools\\Program\\zt40util.exe", "C:\\Tools"},
        {"C:\\Tools\\Bin\\zt40util.exe", "C:\\Tools\\Bin"},
        {"C:\\zt40util.exe", "C:"},
        {"C:\\Tools\\PROGRAM\\zt40util.exe", "C:\\Tools"},
        {"C:\\Tools\\Programs\\zt40util.exe", "C:\\Tools\\Programs"},
        {"C:\\Program\\zt40util.exe", "C:"},
        {"D:/Tools/program/zt40util.exe", "D:/Tools"},
        {"/opt/zt40/Program/zt40util", "/opt/zt40"},
        {"zt40util.exe", ""},
    };
    for (const auto& [module, folder] : cases) EXPECT_EQ(ProgramDataFolder(module), folder) << module;
}

TEST(ResolveDataFolder, OlderSystemsUseTheProgramFolderAndCreateNothing) {
    FakeDataFolderPlatform platform;
    platform.version = {kOsVersionInfoSize, 4, 0, 1381, kPlatformWin32Nt};
    platform.modulePath = "C:\\Tools\\Program\\zt40util.exe";
    DataFolder folder(platform);
    std::string path;
    ASSERT_TRUE(folder.ResolveDataFolder("ZT-40 Pinwarden", path));
    EXPECT_EQ(path, "C:\\Tools");
    EXPECT_TRUE(platform.created.empty());
}

}  // namespace
}  // namespace zt40
