#pragma once
// Tells the main window that a USB device was added or removed, as the original platform's
// device-change message did. Runs on whatever thread reads it: give ReadableDescriptor() to the
// user-interface loop (a socket notifier) and call Dispatch() there when it is readable.
#include <memory>

#include "platform/DeviceChangeMonitor.h"

namespace zt40 {

class UdevDeviceMonitor : public IDeviceChangeMonitor {
public:
    // Nothing when udev cannot be reached.
    static std::unique_ptr<UdevDeviceMonitor> Create(Notify notify);
    ~UdevDeviceMonitor() override;
    UdevDeviceMonitor(const UdevDeviceMonitor&) = delete;
    UdevDeviceMonitor& operator=(const UdevDeviceMonitor&) = delete;

    // The descriptor wakes the loop; no other wake is needed.
    void SetWake(Wake) override {}
    // Readable when events wait; never blocks a reader.
    int ReadableDescriptor() const override;

    // Reads every waiting event and sends one notice if any USB device came or went; the
    // binding and unbinding of drivers (which every claimed transaction causes) is not a change.
    // Returns how many notices were sent (0 or 1).
    int Dispatch() override;

    // Only Create() can make the state this takes.
    struct State;
    explicit UdevDeviceMonitor(std::unique_ptr<State> state);

private:
    std::unique_ptr<State> m_state;
};

}  // namespace zt40
