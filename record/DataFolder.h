#pragma once
// Where the usage record lives: a folder shared by every user of the machine, created with
// rights for everyone when missing; on the older systems the program's own folder.
#include <cstddef>
#include <string>
#include <string_view>

#include "platform/DataFolderPlatform.h"
#include "record/FolderSecurity.h"

namespace zt40 {

inline constexpr std::string_view kCompanyFolderName = "Velmora Corporation";
inline constexpr std::string_view kProductFolderName = "ZT-40 Pinwarden";
// Room for a path on the older systems, terminating zero included.
inline constexpr std::size_t kMaxPath = 260;

// The folder of the program file at `modulePath`, or its parent when that folder is named
// "Program" in any case. Either separator counts; a drive ("C:") is kept.
std::string ProgramDataFolder(std::string_view modulePath);

class DataFolder {
public:
    explicit DataFolder(IDataFolderPlatform& platform) : m_platform(platform) {}

    // True when the folder exists or was created; only then is `path` written, without a
    // trailing separator.
    bool ResolveDataFolder(std::string_view folderName, std::string& path);
    bool IsWindows2000OrLater();

    const std::string& FolderName() const { return m_folderName; }

private:
    // Creates base/company/product level by level as needed; writes `path` on success.
    bool ResolveUnder(const std::string& base, const SecurityAttributes* attributes, std::string& path);

    IDataFolderPlatform& m_platform;
    std::string m_folderName;
    const SecurityAttributes* m_securityAttributes = nullptr;
    FolderSecurity m_security;
};

}  // namespace zt40
