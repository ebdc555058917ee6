#pragma once
// Tells the main window that a USB device was added or removed, as the original platform's
// device-change message did. Runs on whatever thread reads it: give FileDescriptor() to the
// user-interface loop (a socket notifier) and call Dispatch() there when it is readable.
#include <cstdint>
#include <functional>
#include <memory>

namespace zt40 {

// The event type of the device-change notice: device nodes were added or removed.
inline constexpr std::uint32_t kDeviceNodesChanged = 7;

class UdevDeviceMonitor {
public:
    using Notify = std::function<void(std::uint32_t eventType)>;

    // Nothing when udev cannot be reached.
    static std::unique_ptr<UdevDeviceMonitor> Create(Notify notify);
    ~UdevDeviceMonitor();
    UdevDeviceMonitor(const UdevDeviceMonitor&) = delete;
    UdevDeviceMonitor& operator=(const UdevDeviceMonitor&) = delete;

    // Readable when events wait; never blocks a reader.
    int FileDescriptor() const;

    // Reads every waiting event and sends one notice if any USB device came or went; the
    // binding and unbinding of drivers (which every claimed transaction causes) is not a change.
    // Returns how many notices were sent (0 or 1).
    int Dispatch();

private:
    struct State;
    explicit UdevDeviceMonitor(std::unique_ptr<State> state);
    std::unique_ptr<State> m_state;
};

}  // namespace zt40
