#pragma once
// From a print queue's name to the path of its printer's USB device.
#include <optional>
#include <string>
#include <string_view>

namespace zt40 {

class IDeviceFinder {
public:
    virtual ~IDeviceFinder() = default;
    // The re-openable device path of the queue's printer, or nothing when the queue,
    // its driver or its device cannot be found.
    virtual std::optional<std::string> FindDevicePath(std::string_view queueName) = 0;
};

}  // namespace zt40
