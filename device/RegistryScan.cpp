#include "device/RegistryScan.h"

namespace zt40 {

std::optional<ScopedKey> OpenScopedKey(IKeyTree& tree, KeyHandle parent, std::string_view subkeyPath) {
    const auto key = tree.OpenKey(parent, subkeyPath);
    if (!key) return std::nullopt;
    return std::optional<ScopedKey>(std::in_place, tree, *key);
}

std::optional<std::string> ReadRegistryText(IKeyTree& tree, KeyHandle key, std::string_view valueName) {
    auto text = tree.QueryValue(key, valueName);
    if (text && text->size() > kMaxRegistryText) return std::nullopt;
    return text;
}

}  // namespace zt40
