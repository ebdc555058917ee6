#pragma once
// The building blocks of the registry walks: keys that close themselves, text read
// within the registry's fixed 256-byte buffers, and subkey listing by index.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "platform/KeyTree.h"
// The walks match key names and texts as the registry itself does: without regard to case.
#include "platform/TextCompare.h"

namespace zt40 {

// Longest key name or value text that fits a 256-byte buffer with its terminator.
inline constexpr std::size_t kMaxRegistryText = 255;

// An open key, closed when the walk is done with it.
class ScopedKey {
public:
    ScopedKey(IKeyTree& tree, KeyHandle key) : m_tree(&tree), m_key(key) {}
    ~ScopedKey() {
        if (m_key) m_tree->CloseKey(*m_key);
    }
    ScopedKey(ScopedKey&& other) noexcept : m_tree(other.m_tree), m_key(std::exchange(other.m_key, std::nullopt)) {}
    ScopedKey& operator=(ScopedKey&&) = delete;
    ScopedKey(const ScopedKey&) = delete;
    ScopedKey& operator=(const ScopedKey&) = delete;

    KeyHandle Handle() const { return *m_key; }

private:
    IKeyTree* m_tree;
    std::optional<KeyHandle> m_key;
};

std::optional<ScopedKey> OpenScopedKey(IKeyTree& tree, KeyHandle parent, std::string_view subkeyPath);

// The value as text; nothing when it is absent, unreadable or too long for the buffer.
std::optional<std::string> ReadRegistryText(IKeyTree& tree, KeyHandle key, std::string_view valueName);

// What a walk does after looking at one subkey, and how a listing ended.
enum class ScanStep {
    Next,   // not this one (or: all subkeys seen without a result)
    Found,  // stop, the result is in hand
    Abort,  // stop, the walk has failed
};

// Calls `visit(name)` for each subkey of `key` by increasing index until it answers
// Found or Abort. A listing error, or a name too long for the buffer, aborts.
template <typename Visit>
ScanStep ForEachSubkey(IKeyTree& tree, KeyHandle key, Visit&& visit) {
    std::string name;
    for (std::uint32_t index = 0;; ++index) {
        name.clear();
        switch (tree.EnumSubkey(key, index, name)) {
            case EnumResult::NoMoreItems: return ScanStep::Next;
            case EnumResult::Error: return ScanStep::Abort;
            case EnumResult::Ok: break;
        }
        if (name.size() > kMaxRegistryText) return ScanStep::Abort;
        const ScanStep step = visit(std::as_const(name));
        if (step != ScanStep::Next) return step;
    }
}

// Device nodes sit two levels below their root, a model key and then an instance key.
// Calls `visit(modelName, instanceName, instanceKey)` for each instance until it answers
// Found or Abort; a root that cannot be opened, or a key below it, aborts.
template <typename Visit>
ScanStep ForEachDeviceInstance(IKeyTree& tree, std::string_view rootPath, Visit&& visit) {
    const auto root = OpenScopedKey(tree, kRootKey, rootPath);
    if (!root) return ScanStep::Abort;
    return ForEachSubkey(tree, root->Handle(), [&](const std::string& modelName) {
        const auto model = OpenScopedKey(tree, root->Handle(), modelName);
        if (!model) return ScanStep::Abort;
        return ForEachSubkey(tree, model->Handle(), [&](const std::string& instanceName) {
            const auto instance = OpenScopedKey(tree, model->Handle(), instanceName);
            if (!instance) return ScanStep::Abort;
            return visit(modelName, instanceName, instance->Handle());
        });
    });
}

}  // namespace zt40
