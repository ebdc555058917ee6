#pragma once
// The setup as Windows shows it: the printer's own driver comes with its queue, the device is
// found through the device registry, and the record folder takes files or not.
#include "platform/DeviceFinder.h"
#include "platform/SetupProbe.h"

namespace zt40 {

class Win32SetupProbe final : public ISetupProbe {
public:
    explicit Win32SetupProbe(IDeviceFinder& finder) : m_finder(finder) {}
    ProbeAnswer DriverFiles() override;
    ProbeAnswer DeviceOnBus(const QueueInfo& queue) override;
    ProbeAnswer DeviceAccess(const QueueInfo& queue) override;
    ProbeAnswer InterfaceFree(const QueueInfo& queue) override;
    ProbeAnswer RecordFolder(const std::string& folder) override;

private:
    IDeviceFinder& m_finder;
};

}  // namespace zt40
