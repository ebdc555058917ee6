#pragma once
// The data folder on Windows: the common application-data folder from the shell (looked up at
// run time, so that a system without it still starts), folders created with the access list
// the core computes, the program's own file.
#include <string>

#include "platform/DataFolderPlatform.h"

namespace zt40 {

// Names a folder that replaces the resolved one (tests, a second installation).
inline constexpr const char* kWin32DataDirVariable = "ZT40_DATA_DIR";

class Win32DataFolderPlatform final : public IDataFolderPlatform {
public:
    bool GetVersion(OsVersionInfo& info) override;
    std::optional<std::string> CommonAppDataFolder() override;
    // Windows has none: the common folder is created for everyone or not at all.
    std::optional<std::string> UserStateFolder() override { return std::nullopt; }
    bool Exists(const std::string& path) override;
    bool CreateFolder(const std::string& path, const SecurityAttributes* attributes) override;
    std::string ModulePath() override;
    std::optional<std::string> FolderOverride() override;
    char PathSeparator() const override { return '\\'; }
};

}  // namespace zt40
