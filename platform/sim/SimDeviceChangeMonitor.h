#pragma once
// Device-change notices from a simulated ZT-40: every plug, unplug, power-off and power-on
// wakes the monitor's descriptor, as a real printer's hotplug wakes udev's.
#include "platform/DeviceChangeMonitor.h"
#include "platform/sim/SimulatedZt40.h"

namespace zt40 {

class SimDeviceChangeMonitor : public IDeviceChangeMonitor {
public:
    // The printer must outlive the monitor.
    SimDeviceChangeMonitor(SimulatedZt40& printer, Notify notify);
    ~SimDeviceChangeMonitor() override;
    SimDeviceChangeMonitor(const SimDeviceChangeMonitor&) = delete;
    SimDeviceChangeMonitor& operator=(const SimDeviceChangeMonitor&) = delete;

    // -1 when the system had no descriptor to give; the monitor then never notifies.
    int FileDescriptor() const override { return m_eventFd; }
    int Dispatch() override;

private:
    SimulatedZt40& m_printer;
    Notify m_notify;
    int m_eventFd = -1;
    int m_subscription = 0;
};

}  // namespace zt40
