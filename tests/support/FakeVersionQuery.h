#pragma once
// A version query with a fixed answer; nothing stands for a failed query.
#include <optional>

#include "platform/KeyTree.h"

namespace zt40 {

class FakeVersionQuery : public IVersionQuery {
public:
    explicit FakeVersionQuery(std::optional<PlatformFamily> family) : m_family(family) {}
    std::optional<PlatformFamily> Family() override { return m_family; }
    void SetFamily(std::optional<PlatformFamily> family) { m_family = family; }

private:
    std::optional<PlatformFamily> m_family;
};

}  // namespace zt40
