// The data folder on the system itself: the shell's common folder, both levels created, with
// the everyone-may-do-everything list made the system's own and read back.
#include <gtest/gtest.h>

#include <aclapi.h>
#include <windows.h>

#include <cstdlib>

#include "platform/win32/Win32DataFolderPlatform.h"
#include "platform/win32/Win32Security.h"
#include "record/DataFolder.h"
#include "record/FolderSecurity.h"

namespace zt40 {
namespace {

struct ReadBackAce {
    BYTE type = 0xFF;
    BYTE flags = 0xFF;
    ACCESS_MASK mask = 0;
    bool everyone = false;
};

// The entries of a descriptor's access list, through the system's own accessors; nothing when
// it has none.
std::optional<std::vector<ReadBackAce>> ReadDacl(PSECURITY_DESCRIPTOR descriptor) {
    BOOL present = FALSE;
    BOOL defaulted = FALSE;
    PACL acl = nullptr;
    if (!GetSecurityDescriptorDacl(descriptor, &present, &acl, &defaulted) || !present || !acl) return std::nullopt;
    SID_IDENTIFIER_AUTHORITY world = SECURITY_WORLD_SID_AUTHORITY;
    PSID everyone = nullptr;
    if (!AllocateAndInitializeSid(&world, 1, SECURITY_WORLD_RID, 0, 0, 0, 0, 0, 0, 0, &everyone)) return std::nullopt;
    std::vector<ReadBackAce> entries;
    for (DWORD i = 0; i < acl->AceCount; ++i) {
        void* raw = nullptr;
        if (!GetAce(acl, i, &raw)) continue;
        const auto* header = static_cast<const ACE_HEADER*>(raw);
        ReadBackAce entry{header->AceType, header->AceFlags, 0, false};
        if (header->AceType == ACCESS_ALLOWED_ACE_TYPE) {
            const auto* allowed = static_cast<const ACCESS_ALLOWED_ACE*>(raw);
            entry.mask = allowed->Mask;
            entry.everyone = EqualSid(const_cast<DWORD*>(&allowed->SidStart), everyone) != FALSE;
        }
        entries.push_back(entry);
    }
    FreeSid(everyone);
    return entries;
}

class DataFolderOnSystemTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(std::getenv(kWin32DataDirVariable), nullptr) << "the folder must not be overridden here";
        const auto common = platform.CommonAppDataFolder();
        ASSERT_TRUE(common) << "the shell names the common application-data folder";
        company = *common + "\\Velmora Corporation";
        ASSERT_FALSE(platform.Exists(company)) << company << " is left from another run";
        product = company + "\\" + folderName;
    }
    void TearDown() override {
        RemoveDirectoryA(product.c_str());
        RemoveDirectoryA(company.c_str());
    }

    Win32DataFolderPlatform platform;
    const std::string folderName = "ZT-40 Pinwarden";
    std::string company;
    std::string product;
};

TEST_F(DataFolderOnSystemTest, BothLevelsAreCreatedAndTheSecondResolutionCreatesNothing) {
    DataFolder folder(platform);
    std::string path = "earlier";
    ASSERT_TRUE(folder.ResolveDataFolder(folderName, path));
    EXPECT_EQ(path, product);
    EXPECT_NE(GetFileAttributesA(product.c_str()) & FILE_ATTRIBUTE_DIRECTORY, 0u);
    std::string again;
    ASSERT_TRUE(folder.ResolveDataFolder(folderName, again));
    EXPECT_EQ(again, product);
}

// What CreateDirectoryA is given, read back with the system's accessors: one entry, everyone,
// every right, not inherited. (Wine keeps no descriptor on its folders, so the folder itself
// cannot be asked there.)
TEST(Win32FolderSecurity, TheDescriptorGivenToTheFolderGrantsEveryoneEverythingNotInherited) {
    FolderSecurity security;
    const SecurityAttributes* attributes = nullptr;
    ASSERT_TRUE(security.BuildSecurityAttributes(attributes));
    NativeSecurity native(attributes);
    ASSERT_TRUE(native.Ok());
    SECURITY_ATTRIBUTES* system = native.Attributes();
    ASSERT_NE(system, nullptr);
    EXPECT_EQ(system->nLength, sizeof(SECURITY_ATTRIBUTES));
    EXPECT_FALSE(system->bInheritHandle);
    ASSERT_TRUE(IsValidSecurityDescriptor(system->lpSecurityDescriptor));
    const auto entries = ReadDacl(system->lpSecurityDescriptor);
    ASSERT_TRUE(entries);
    ASSERT_EQ(entries->size(), 1u);
    EXPECT_EQ((*entries)[0].type, ACCESS_ALLOWED_ACE_TYPE);
    EXPECT_EQ((*entries)[0].flags, 0) << "what is created inside does not inherit it";
    EXPECT_EQ((*entries)[0].mask, 0x001FFFFFu);
    EXPECT_TRUE((*entries)[0].everyone);
    EXPECT_EQ(NativeSecurity(nullptr).Attributes(), nullptr) << "no rights given: the system's defaults";
}

TEST_F(DataFolderOnSystemTest, AFileInTheCompanysPlaceFailsAndWritesNothing) {
    const HANDLE file =
        CreateFileA(company.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    CloseHandle(file);
    DataFolder folder(platform);
    std::string path = "earlier";
    EXPECT_FALSE(folder.ResolveDataFolder(folderName, path));
    EXPECT_EQ(path, "earlier");
    DeleteFileA(company.c_str());
}

TEST(Win32DataFolderPlatform, ReportsANewerSystemAndItsOwnProgramFile) {
    Win32DataFolderPlatform platform;
    DataFolder folder(platform);
    EXPECT_TRUE(folder.IsWindows2000OrLater());
    OsVersionInfo wrongSize;
    wrongSize.size = 156;
    EXPECT_FALSE(platform.GetVersion(wrongSize)) << "only the size the caller promised is filled";
    const std::string module = platform.ModulePath();
    ASSERT_GT(module.size(), 4u);
    EXPECT_EQ(module.substr(module.size() - 4), ".exe");
    EXPECT_TRUE(platform.Exists(module));
    EXPECT_FALSE(platform.Exists(module + ".missing"));
    EXPECT_EQ(platform.UserStateFolder(), std::nullopt);
}

}  // namespace
}  // namespace zt40
