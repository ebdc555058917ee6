#include "record/DataFolder.h"

#include <algorithm>

namespace zt40 {

namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

bool EqualsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
}

}  // namespace

std::string ProgramDataFolder(std::string_view modulePath) {
    std::string_view drive;
    if (modulePath.size() >= 2 && modulePath[1] == ':') {
        drive = modulePath.substr(0, 2);
        modulePath.remove_prefix(2);
    }
    std::string_view directory;
    for (std::size_t i = modulePath.size(); i > 0; --i) {
        if (IsSeparator(modulePath[i - 1])) {
            directory = modulePath.substr(0, i);
            break;
        }
    }
    if (!directory.empty()) directory.remove_suffix(1);
    std::size_t last = std::string_view::npos;
    for (std::size_t i = directory.size(); i > 0; --i) {
        if (IsSeparator(directory[i - 1])) {
            last = i - 1;
            break;
        }
    }
    if (last != std::string_view::npos && EqualsNoCase(directory.substr(last + 1), "Program")) {
        directory = directory.substr(0, last);
    }
    return std::string(drive) + std::string(directory);
}

bool DataFolder::IsWindows2000OrLater() {
    OsVersionInfo info;
    info.size = kOsVersionInfoSize;
    if (!m_platform.GetVersion(info)) return false;
    return info.platformId == kPlatformWin32Nt && info.majorVersion >= 5;
}

bool DataFolder::ResolveUnder(const std::string& base, const SecurityAttributes* attributes, std::string& path) {
    const char separator = m_platform.PathSeparator();
    std::string candidate = base + separator + std::string(kCompanyFolderName);
    if (!m_platform.Exists(candidate) && !m_platform.CreateFolder(candidate, attributes)) return false;
    candidate += separator + m_folderName;
    if (!m_platform.Exists(candidate) && !m_platform.CreateFolder(candidate, attributes)) return false;
    if (!candidate.empty() && candidate.back() == separator) candidate.pop_back();
    path = std::move(candidate);
    return true;
}

bool DataFolder::ResolveDataFolder(std::string_view folderName, std::string& path) {
    m_folderName = std::string(folderName.substr(0, std::min(folderName.size(), kMaxPath - 1)));
    if (!IsWindows2000OrLater()) {
        path = ProgramDataFolder(m_platform.ModulePath());
        return true;
    }
    if (!m_security.BuildSecurityAttributes(m_securityAttributes)) return false;
    if (const auto common = m_platform.CommonAppDataFolder()) {
        if (ResolveUnder(*common, m_securityAttributes, path)) return true;
    }
    // Where an ordinary user may not create the shared folder, each user keeps a record of
    // their own rather than none; it is private to that user.
    if (const auto own = m_platform.UserStateFolder()) return ResolveUnder(*own, nullptr, path);
    return false;
}

}  // namespace zt40
