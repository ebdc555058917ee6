#pragma once
// The notice that USB devices were added or removed, as the main window receives it.
// A monitor is a file descriptor that becomes readable when something happened, and a
// Dispatch() that the user-interface thread calls then: the notice is delivered there,
// never on a thread of its own.
#include <cstdint>
#include <functional>

namespace zt40 {

// The event type of the device-change notice: device nodes were added or removed.
inline constexpr std::uint32_t kDeviceNodesChanged = 7;

class IDeviceChangeMonitor {
public:
    using Notify = std::function<void(std::uint32_t eventType)>;

    virtual ~IDeviceChangeMonitor() = default;
    // Readable while notices wait; reading it never blocks.
    virtual int FileDescriptor() const = 0;
    // Takes every waiting event and sends at most one notice; returns how many were sent.
    virtual int Dispatch() = 0;
};

}  // namespace zt40
