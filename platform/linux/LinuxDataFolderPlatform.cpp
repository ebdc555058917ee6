#include "platform/linux/LinuxDataFolderPlatform.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstdlib>
#include <vector>

namespace zt40 {

namespace {

constexpr mode_t kSharedFolderMode = 01777;
constexpr mode_t kPrivateFolderMode = 0700;

std::optional<std::string> Environment(const char* name) {
    const char* value = std::getenv(name);
    if (value == nullptr || *value == '\0') return std::nullopt;
    return std::string(value);
}

std::optional<std::string> HomeFolder() {
    if (auto home = Environment("HOME")) return home;
    std::vector<char> buffer(16384);
    passwd entry{};
    passwd* found = nullptr;
    if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) != 0 || found == nullptr ||
        found->pw_dir == nullptr || *found->pw_dir == '\0') {
        return std::nullopt;
    }
    return std::string(found->pw_dir);
}

// Creates every missing level, private to the user, as the base-directory rules ask.
bool CreatePrivatePath(const std::string& path) {
    for (std::size_t slash = path.find('/', 1);; slash = path.find('/', slash + 1)) {
        const std::string level = path.substr(0, slash);
        if (::mkdir(level.c_str(), kPrivateFolderMode) != 0 && errno != EEXIST) return false;
        if (slash == std::string::npos) break;
    }
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

}  // namespace

bool LinuxDataFolderPlatform::GetVersion(OsVersionInfo& info) {
    if (info.size != kOsVersionInfoSize) return false;
    // Answers as the systems with a folder shared by every user, which this one has.
    info.platformId = kPlatformWin32Nt;
    info.majorVersion = 5;
    info.minorVersion = 0;
    info.buildNumber = 0;
    return true;
}

std::optional<std::string> LinuxDataFolderPlatform::UserStateFolder() {
    std::string base = Environment("XDG_STATE_HOME").value_or(std::string());
    // A relative value is invalid and to be ignored.
    if (!base.empty() && base.front() != '/') base.clear();
    if (base.empty()) {
        const std::string home = HomeFolder().value_or(std::string());
        if (home.empty() || home.front() != '/') return std::nullopt;
        base = home + "/.local/state";
    }
    while (base.size() > 1 && base.back() == '/') base.pop_back();
    if (!CreatePrivatePath(base)) return std::nullopt;
    return base;
}

bool LinuxDataFolderPlatform::Exists(const std::string& path) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0;
}

bool LinuxDataFolderPlatform::CreateFolder(const std::string& path, const SecurityAttributes* attributes) {
    const bool shared = GrantsEveryoneAllAccess(attributes);
    if (::mkdir(path.c_str(), shared ? kSharedFolderMode : kPrivateFolderMode) != 0) return false;
    // The umask has taken bits from mkdir's mode; a shared folder needs them all.
    if (shared && ::chmod(path.c_str(), kSharedFolderMode) != 0) {
        ::rmdir(path.c_str());
        return false;
    }
    return true;
}

std::string LinuxDataFolderPlatform::ModulePath() {
    std::array<char, 4096> buffer{};
    const ssize_t length = ::readlink("/proc/self/exe", buffer.data(), buffer.size() - 1);
    if (length <= 0) return {};
    return std::string(buffer.data(), static_cast<std::size_t>(length));
}

std::optional<std::string> LinuxDataFolderPlatform::FolderOverride() {
    auto folder = Environment(kDataDirVariable);
    if (folder) {
        while (folder->size() > 1 && folder->back() == '/') folder->pop_back();
    }
    return folder;
}

}  // namespace zt40
