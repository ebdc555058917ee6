#pragma once
// A device registry held in memory for tests and the simulator: keys are added by
// backslash-separated paths, found again without regard to letter case and listed in
// the order they were added. Faults can be planted on single keys and values, and open
// handles are counted so that a test can tell whether every key was closed again.
#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/KeyTree.h"

namespace zt40 {

class InMemoryKeyTree : public IKeyTree {
public:
    InMemoryKeyTree();
    ~InMemoryKeyTree() override;
    InMemoryKeyTree(const InMemoryKeyTree&) = delete;
    InMemoryKeyTree& operator=(const InMemoryKeyTree&) = delete;

    // Building. Paths are relative to the root; missing keys on the way are created.
    void AddKey(std::string_view path);
    void SetValue(std::string_view keyPath, std::string_view valueName, std::string_view text);

    // Faults: the key cannot be opened; listing its subkeys fails at `index`;
    // the value exists but cannot be read.
    void FailOpen(std::string_view keyPath);
    void FailEnumAt(std::string_view keyPath, std::uint32_t index);
    void FailValue(std::string_view keyPath, std::string_view valueName);

    std::size_t OpenHandleCount() const { return m_handles.size(); }
    std::size_t OpenCallCount() const { return m_openCalls; }
    // Closes of handles that were not open (double closes, made-up handles).
    std::size_t StrayCloseCount() const { return m_strayCloses; }

    std::optional<KeyHandle> OpenKey(KeyHandle parent, std::string_view subkeyPath) override;
    EnumResult EnumSubkey(KeyHandle key, std::uint32_t index, std::string& name) override;
    std::optional<std::string> QueryValue(KeyHandle key, std::string_view valueName) override;
    void CloseKey(KeyHandle key) override;

private:
    struct Value {
        std::string name;
        std::string text;
        bool unreadable = false;
    };
    struct Node {
        std::string name;
        std::vector<std::unique_ptr<Node>> children;  // in insertion order
        std::vector<Value> values;
        bool unopenable = false;
        std::optional<std::uint32_t> failingEnumIndex;
    };

    Node& MakePath(std::string_view path);
    static Node* FindChild(const Node& parent, std::string_view name);
    static Node* Resolve(Node& start, std::string_view path);
    Node* NodeOf(KeyHandle key);
    Value& MakeValue(std::string_view keyPath, std::string_view valueName);

    Node m_root;
    std::map<KeyHandle, Node*> m_handles;
    KeyHandle m_nextHandle = 1;
    std::size_t m_openCalls = 0;
    std::size_t m_strayCloses = 0;
};

}  // namespace zt40
