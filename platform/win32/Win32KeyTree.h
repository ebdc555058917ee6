#pragma once
// The device registry under HKEY_LOCAL_MACHINE, read-only, for the discovery walks; and the
// system's family, which picks the walks.
#include "platform/KeyTree.h"

namespace zt40 {

class Win32KeyTree final : public IKeyTree {
public:
    // kRootKey stands for HKEY_LOCAL_MACHINE; every other handle is one this tree opened.
    std::optional<KeyHandle> OpenKey(KeyHandle parent, std::string_view subkeyPath) override;
    EnumResult EnumSubkey(KeyHandle key, std::uint32_t index, std::string& name) override;
    std::optional<std::string> QueryValue(KeyHandle key, std::string_view valueName) override;
    void CloseKey(KeyHandle key) override;
};

class Win32VersionQuery final : public IVersionQuery {
public:
    std::optional<PlatformFamily> Family() override;
};

}  // namespace zt40
