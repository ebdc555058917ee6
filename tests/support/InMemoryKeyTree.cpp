#include "tests/support/InMemoryKeyTree.h"

#include "platform/TextCompare.h"

namespace zt40 {

namespace {

// Splits "A\B\C" into its key names; `visit` returns false to stop early.
template <typename Visit>
bool ForEachSegment(std::string_view path, Visit&& visit) {
    while (true) {
        const auto cut = path.find('\\');
        if (!visit(path.substr(0, cut))) return false;
        if (cut == std::string_view::npos) return true;
        path.remove_prefix(cut + 1);
    }
}

}  // namespace

InMemoryKeyTree::InMemoryKeyTree() = default;
InMemoryKeyTree::~InMemoryKeyTree() = default;

InMemoryKeyTree::Node* InMemoryKeyTree::FindChild(const Node& parent, std::string_view name) {
    for (const auto& child : parent.children) {
        if (EqualsIgnoringCase(child->name, name)) return child.get();
    }
    return nullptr;
}

InMemoryKeyTree::Node& InMemoryKeyTree::MakePath(std::string_view path) {
    Node* node = &m_root;
    ForEachSegment(path, [&](std::string_view name) {
        if (name.empty()) return true;
        Node* child = FindChild(*node, name);
        if (!child) {
            node->children.push_back(std::make_unique<Node>());
            child = node->children.back().get();
            child->name = std::string(name);
        }
        node = child;
        return true;
    });
    return *node;
}

InMemoryKeyTree::Node* InMemoryKeyTree::Resolve(Node& start, std::string_view path) {
    if (path.empty()) return &start;  // a second handle to the same key
    Node* node = &start;
    const bool found = ForEachSegment(path, [&](std::string_view name) {
        node = name.empty() ? nullptr : FindChild(*node, name);
        return node != nullptr;
    });
    return found ? node : nullptr;
}

InMemoryKeyTree::Node* InMemoryKeyTree::NodeOf(KeyHandle key) {
    if (key == kRootKey) return &m_root;
    const auto it = m_handles.find(key);
    return it == m_handles.end() ? nullptr : it->second;
}

InMemoryKeyTree::Value& InMemoryKeyTree::MakeValue(std::string_view keyPath, std::string_view valueName) {
    Node& node = MakePath(keyPath);
    for (auto& value : node.values) {
        if (EqualsIgnoringCase(value.name, valueName)) return value;
    }
    node.values.push_back(Value{std::string(valueName), {}, false});
    return node.values.back();
}

void InMemoryKeyTree::AddKey(std::string_view path) { MakePath(path); }

void InMemoryKeyTree::SetValue(std::string_view keyPath, std::string_view valueName, std::string_view text) {
    MakeValue(keyPath, valueName).text = std::string(text);
}

void InMemoryKeyTree::FailOpen(std::string_view keyPath) { MakePath(keyPath).unopenable = true; }

void InMemoryKeyTree::FailEnumAt(std::string_view keyPath, std::uint32_t index) {
    MakePath(keyPath).failingEnumIndex = index;
}

void InMemoryKeyTree::FailValue(std::string_view keyPath, std::string_view valueName) {
    MakeValue(keyPath, valueName).unreadable = true;
}

std::optional<KeyHandle> InMemoryKeyTree::OpenKey(KeyHandle parent, std::string_view subkeyPath) {
    ++m_openCalls;
    Node* start = NodeOf(parent);
    if (!start) return std::nullopt;
    Node* node = Resolve(*start, subkeyPath);
    if (!node || node->unopenable) return std::nullopt;
    const KeyHandle handle = m_nextHandle++;
    m_handles.emplace(handle, node);
    return handle;
}

EnumResult InMemoryKeyTree::EnumSubkey(KeyHandle key, std::uint32_t index, std::string& name) {
    const Node* node = NodeOf(key);
    if (!node || node->failingEnumIndex == index) return EnumResult::Error;
    if (index >= node->children.size()) return EnumResult::NoMoreItems;
    name = node->children[index]->name;
    return EnumResult::Ok;
}

std::optional<std::string> InMemoryKeyTree::QueryValue(KeyHandle key, std::string_view valueName) {
    const Node* node = NodeOf(key);
    if (!node) return std::nullopt;
    for (const auto& value : node->values) {
        if (!EqualsIgnoringCase(value.name, valueName)) continue;
        if (value.unreadable) return std::nullopt;
        return value.text;
    }
    return std::nullopt;
}

void InMemoryKeyTree::CloseKey(KeyHandle key) {
    if (key == kRootKey) return;  // the predefined root is never really opened
    if (m_handles.erase(key) == 0) ++m_strayCloses;
}

}  // namespace zt40
