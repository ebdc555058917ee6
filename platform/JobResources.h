#pragma once
// The ready-made print jobs held inside the program, by resource id.
#include <cstdint>
#include <span>

namespace zt40 {

class IJobResources {
public:
    virtual ~IJobResources() = default;
    // The bytes of the resource, empty when there is no such resource.
    virtual std::span<const std::uint8_t> Find(int resourceId) const = 0;
};

}  // namespace zt40
