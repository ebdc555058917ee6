#include "platform/win32/Win32DataFolderPlatform.h"

#include <windows.h>

#include <array>
#include <cstdlib>

#include "platform/win32/Win32Security.h"

namespace zt40 {

namespace {

constexpr int kCsidlCommonAppData = 0x0023;
constexpr DWORD kShgfpTypeCurrent = 0;

using GetFolderPath = HRESULT(WINAPI*)(HWND, int, HANDLE, DWORD, LPSTR);

class Library {
public:
    explicit Library(const char* name) : m_module(LoadLibraryA(name)) {}
    ~Library() {
        if (m_module) FreeLibrary(m_module);
    }
    Library(const Library&) = delete;
    Library& operator=(const Library&) = delete;
    HMODULE Get() const { return m_module; }

private:
    HMODULE m_module;
};

}  // namespace

bool Win32DataFolderPlatform::GetVersion(OsVersionInfo& info) {
    if (info.size != kOsVersionInfoSize) return false;
    OSVERSIONINFOA system{};
    system.dwOSVersionInfoSize = sizeof system;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    if (!GetVersionExA(&system)) return false;
#pragma GCC diagnostic pop
    info.majorVersion = system.dwMajorVersion;
    info.minorVersion = system.dwMinorVersion;
    info.buildNumber = system.dwBuildNumber;
    info.platformId = system.dwPlatformId;
    return true;
}

std::optional<std::string> Win32DataFolderPlatform::CommonAppDataFolder() {
    const Library shell("shell32.dll");
    if (!shell.Get()) return std::nullopt;
    const auto function = reinterpret_cast<GetFolderPath>(
        reinterpret_cast<void*>(GetProcAddress(shell.Get(), "SHGetFolderPathA")));
    if (!function) return std::nullopt;
    std::array<char, MAX_PATH> folder{};
    if (FAILED(function(nullptr, kCsidlCommonAppData, nullptr, kShgfpTypeCurrent, folder.data()))) return std::nullopt;
    return std::string(folder.data());
}

bool Win32DataFolderPlatform::Exists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool Win32DataFolderPlatform::CreateFolder(const std::string& path, const SecurityAttributes* attributes) {
    NativeSecurity security(attributes);
    if (!security.Ok()) return false;
    return CreateDirectoryA(path.c_str(), security.Attributes()) != FALSE;
}

std::string Win32DataFolderPlatform::ModulePath() {
    std::array<char, MAX_PATH> buffer{};
    const DWORD length = GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    // A full buffer means the name was cut.
    if (length == 0 || length >= buffer.size()) return {};
    return std::string(buffer.data(), length);
}

std::optional<std::string> Win32DataFolderPlatform::FolderOverride() {
    const char* value = std::getenv(kWin32DataDirVariable);
    if (value == nullptr || *value == '\0') return std::nullopt;
    std::string folder(value);
    while (folder.size() > 3 && (folder.back() == '\\' || folder.back() == '/')) folder.pop_back();
    return folder;
}

}  // namespace zt40
