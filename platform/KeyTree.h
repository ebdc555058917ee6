#pragma once
// A read-only tree of named keys with named text values (the device registry).
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zt40 {

using KeyHandle = std::uintptr_t;
inline constexpr KeyHandle kRootKey = 0;  // the local machine's root

enum class EnumResult { Ok, NoMoreItems, Error };

class IKeyTree {
public:
    virtual ~IKeyTree() = default;
    virtual std::optional<KeyHandle> OpenKey(KeyHandle parent, std::string_view subkeyPath) = 0;
    // Name of the index-th subkey of `key`.
    virtual EnumResult EnumSubkey(KeyHandle key, std::uint32_t index, std::string& name) = 0;
    virtual std::optional<std::string> QueryValue(KeyHandle key, std::string_view valueName) = 0;
    virtual void CloseKey(KeyHandle key) = 0;
};

enum class PlatformFamily { Nt, Win9x };

class IVersionQuery {
public:
    virtual ~IVersionQuery() = default;
    virtual std::optional<PlatformFamily> Family() = 0;  // nothing when the query fails
};

}  // namespace zt40
