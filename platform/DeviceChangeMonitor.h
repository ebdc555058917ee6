#pragma once
// The notice that USB devices were added or removed, as the main window receives it.
// The notice is always delivered on the owner's user-interface thread, by Dispatch(), never on
// a thread of its own. How the owner learns that Dispatch() has work depends on the system:
//   - a monitor that hears of changes inside other calls (the simulator) or in a window message
//     asks for it through the wake the owner hands over (a call queued on the owner's loop);
//   - a monitor that the system signals through a descriptor (udev) offers it for the loop to
//     watch, and never needs the wake.
#include <cstdint>
#include <functional>

namespace zt40 {

// The event type of the device-change notice: device nodes were added or removed.
inline constexpr std::uint32_t kDeviceNodesChanged = 7;

class IDeviceChangeMonitor {
public:
    using Notify = std::function<void(std::uint32_t eventType)>;
    // Queues a call of Dispatch() on the owner's loop. May be called from any thread, and
    // again before the loop got round to the first.
    using Wake = std::function<void()>;

    virtual ~IDeviceChangeMonitor() = default;
    // Set once by the owner's loop before it runs. Events that came earlier wake it at once.
    virtual void SetWake(Wake wake) = 0;
    // A descriptor that is readable while events wait, for a loop that watches descriptors;
    // -1 for a monitor that wakes its owner itself.
    virtual int ReadableDescriptor() const { return -1; }
    // Takes every waiting event and sends at most one notice; returns how many were sent.
    virtual int Dispatch() = 0;
};

}  // namespace zt40
