#include "platform/win32/Win32KeyTree.h"

#include <windows.h>

#include <array>

namespace zt40 {

namespace {

// Names and texts of at most 255 characters, with room for the terminator.
constexpr DWORD kTextSize = 256;

HKEY ToHkey(KeyHandle key) { return key == kRootKey ? HKEY_LOCAL_MACHINE : reinterpret_cast<HKEY>(key); }

}  // namespace

std::optional<KeyHandle> Win32KeyTree::OpenKey(KeyHandle parent, std::string_view subkeyPath) {
    const std::string path(subkeyPath);
    HKEY opened = nullptr;
    if (RegOpenKeyExA(ToHkey(parent), path.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS) return std::nullopt;
    return reinterpret_cast<KeyHandle>(opened);
}

EnumResult Win32KeyTree::EnumSubkey(KeyHandle key, std::uint32_t index, std::string& name) {
    std::array<char, kTextSize> buffer{};
    DWORD length = kTextSize;
    const LONG result = RegEnumKeyExA(ToHkey(key), index, buffer.data(), &length, nullptr, nullptr, nullptr, nullptr);
    if (result == ERROR_NO_MORE_ITEMS) return EnumResult::NoMoreItems;
    // A name that does not fit (ERROR_MORE_DATA) ends the walk like any other failure.
    if (result != ERROR_SUCCESS) return EnumResult::Error;
    name.assign(buffer.data(), length);
    return EnumResult::Ok;
}

std::optional<std::string> Win32KeyTree::QueryValue(KeyHandle key, std::string_view valueName) {
    const std::string value(valueName);
    std::array<char, kTextSize> buffer{};
    DWORD size = kTextSize;
    // The type is not checked; a value that does not fit counts as missing.
    if (RegQueryValueExA(ToHkey(key), value.c_str(), nullptr, nullptr, reinterpret_cast<BYTE*>(buffer.data()), &size) !=
        ERROR_SUCCESS) {
        return std::nullopt;
    }
    // A stored text may or may not carry its terminator; the buffer stops at the first.
    const std::string_view stored(buffer.data(), size);
    return std::string(stored.substr(0, stored.find('\0')));
}

void Win32KeyTree::CloseKey(KeyHandle key) {
    if (key != kRootKey) RegCloseKey(ToHkey(key));
}

std::optional<PlatformFamily> Win32VersionQuery::Family() {
    OSVERSIONINFOA info{};
    info.dwOSVersionInfoSize = sizeof info;
    // Deprecated in favour of manifests, but the walks are chosen by exactly this answer.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    const BOOL answered = GetVersionExA(&info);
#pragma GCC diagnostic pop
    if (!answered) return std::nullopt;
    return info.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS ? PlatformFamily::Win9x : PlatformFamily::Nt;
}

}  // namespace zt40
