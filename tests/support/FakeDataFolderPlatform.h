#pragma once
// A data-folder platform over a set of names: what exists, what may not be created, and a log
// of the folders created with the rights they were given.
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/DataFolderPlatform.h"

namespace zt40::test {

class FakeDataFolderPlatform : public IDataFolderPlatform {
public:
    struct Created {
        std::string path;
        bool everyoneAll = false;
    };

    OsVersionInfo version{kOsVersionInfoSize, 5, 0, 2195, kPlatformWin32Nt};
    std::optional<std::string> common = std::string("C:\\ProgramData");
    std::optional<std::string> userState;
    std::optional<std::string> override;
    std::set<std::string> existing;
    std::set<std::string> refused;
    std::vector<Created> created;
    std::string modulePath = "C:\\Tools\\zt40util.exe";
    char separator = '\\';

    bool GetVersion(OsVersionInfo& info) override {
        if (info.size != kOsVersionInfoSize) return false;
        info = version;
        return true;
    }
    std::optional<std::string> CommonAppDataFolder() override { return common; }
    std::optional<std::string> UserStateFolder() override { return userState; }
    bool Exists(const std::string& path) override { return existing.contains(path); }
    bool CreateFolder(const std::string& path, const SecurityAttributes* attributes) override {
        if (refused.contains(path) || existing.contains(path)) return false;
        existing.insert(path);
        created.push_back({path, GrantsEveryoneAllAccess(attributes)});
        return true;
    }
    std::string ModulePath() override { return modulePath; }
    std::optional<std::string> FolderOverride() override { return override; }
    char PathSeparator() const override { return separator; }
};

}  // namespace zt40::test
