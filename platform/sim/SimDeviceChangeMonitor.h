#pragma once
// Device-change notices from a simulated ZT-40: every plug, unplug, power-off and power-on
// wakes the monitor's owner, as a real printer's hotplug wakes the system's monitor.
#include <atomic>
#include <mutex>

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

    void SetWake(Wake wake) override;
    int Dispatch() override;

private:
    void OnEvent();

    SimulatedZt40& m_printer;
    Notify m_notify;
    // The printer may be changed from another thread than the owner's.
    std::atomic<unsigned> m_pending{0};
    std::mutex m_wakeLock;
    Wake m_wake;
    int m_subscription = 0;
};

}  // namespace zt40
