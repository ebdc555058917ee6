#pragma once
// What finding and creating the data folder needs of the system.
#include <cstdint>
#include <optional>
#include <string>

#include "platform/Security.h"

namespace zt40 {

inline constexpr std::uint32_t kOsVersionInfoSize = 148;
inline constexpr std::uint32_t kPlatformWin32Nt = 2;

struct OsVersionInfo {
    std::uint32_t size = kOsVersionInfoSize;
    std::uint32_t majorVersion = 0;
    std::uint32_t minorVersion = 0;
    std::uint32_t buildNumber = 0;
    std::uint32_t platformId = 0;
};

class IDataFolderPlatform {
public:
    virtual ~IDataFolderPlatform() = default;
    // Fills `info`, whose size the caller has set; false when the system cannot say.
    virtual bool GetVersion(OsVersionInfo& info) = 0;
    // The application-data folder shared by every user of the machine; nothing when the
    // system offers none or the lookup fails.
    virtual std::optional<std::string> CommonAppDataFolder() = 0;
    // The user's own state folder, for when the shared one cannot be created; nothing where
    // the system has no such fall-back.
    virtual std::optional<std::string> UserStateFolder() = 0;
    // A file or a folder of that name exists.
    virtual bool Exists(const std::string& path) = 0;
    // Creates one folder level; `attributes` null for the system's default rights.
    virtual bool CreateFolder(const std::string& path, const SecurityAttributes* attributes) = 0;
    // The running program's file; empty when it cannot be found.
    virtual std::string ModulePath() = 0;
    // A folder named from outside the program (tests, packaging) that replaces the resolved one.
    virtual std::optional<std::string> FolderOverride() = 0;
    virtual char PathSeparator() const = 0;
};

}  // namespace zt40
