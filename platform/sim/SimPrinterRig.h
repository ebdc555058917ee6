#pragma once
// A simulated ZT-40 on its own print queue, with everything a CHeadDevice needs to find and
// open it. The clock and the message box stay the caller's: a fake pair in tests, real ones
// in a program. Whatever device is opened through the rig must be destroyed before it.
#include <string>
#include <string_view>

#include "platform/DeviceAccess.h"
#include "platform/DeviceLink.h"
#include "platform/sim/SimDeviceFinder.h"
#include "platform/sim/SimDeviceOpener.h"
#include "platform/sim/SimSpooler.h"
#include "platform/sim/SimulatedZt40.h"
#include "platform/sim/Zt40StateFile.h"

namespace zt40 {

class SimPrinterRig {
public:
    // The printer starts from `setup`; its queue is named `queueName` and goes offline while
    // the printer is unplugged or switched off.
    explicit SimPrinterRig(const SimPrinterSetup& setup = {}, std::string_view queueName = kSimQueueName);
    SimPrinterRig(const SimPrinterRig&) = delete;
    SimPrinterRig& operator=(const SimPrinterRig&) = delete;

    SimulatedZt40& Printer() { return m_printer; }
    SimSpooler& Spooler() { return m_spooler; }
    SimDeviceOpener& Opener() { return m_opener; }
    SimDeviceFinder& Finder() { return m_finder; }
    const std::string& QueueName() const { return m_queueName; }
    // The queue as an operator changes it beside the printer: removed from the spooler and
    // installed again, or paused (offline) while the printer itself stays reachable.
    void InstallQueue(bool installed);
    bool QueueInstalled() const { return m_queueInstalled; }
    void SetQueueOffline(bool offline) { m_queueOffline = offline; }
    bool QueueOffline() const { return m_queueOffline; }

    // Why the latest search or open failed, as the finder and opener recorded it.
    const DeviceAccessReport& Report() const { return m_report; }

    DeviceLinkPlatform Platform(IClock& clock, IMessageBox& messages) {
        return DeviceLinkPlatform{m_finder, m_opener, clock, messages, m_spooler};
    }

private:
    SimulatedZt40 m_printer;
    DeviceAccessReport m_report;
    SimDeviceOpener m_opener{&m_report};
    SimSpooler m_spooler;
    SimDeviceFinder m_finder{m_spooler, m_opener, &m_report};
    std::string m_queueName;
    bool m_queueInstalled = false;
    bool m_queueOffline = false;
};

}  // namespace zt40
