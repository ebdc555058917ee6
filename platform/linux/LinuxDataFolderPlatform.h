#pragma once
// The data folder on Linux: the machine's shared folder is /var/lib, a folder everyone may write
// in gets the sticky bit (no one removes or replaces another user's file), and a user who may not
// create it there keeps a private one under $XDG_STATE_HOME (else ~/.local/state).
#include <string>

#include "platform/DataFolderPlatform.h"

namespace zt40 {

inline constexpr const char* kDataDirVariable = "ZT40_DATA_DIR";

class LinuxDataFolderPlatform : public IDataFolderPlatform {
public:
    explicit LinuxDataFolderPlatform(std::string commonFolder = "/var/lib") : m_commonFolder(std::move(commonFolder)) {}

    bool GetVersion(OsVersionInfo& info) override;
    std::optional<std::string> CommonAppDataFolder() override { return m_commonFolder; }
    std::optional<std::string> UserStateFolder() override;
    bool Exists(const std::string& path) override;
    bool CreateFolder(const std::string& path, const SecurityAttributes* attributes) override;
    std::string ModulePath() override;
    std::optional<std::string> FolderOverride() override;
    char PathSeparator() const override { return '/'; }

private:
    std::string m_commonFolder;
};

}  // namespace zt40
