#pragma once
// This machine's setup as zt40ctl doctor sees it: the files the package installs, the
// printer's USB device, its node's rights and holders, the record folder.
#include <string>
#include <vector>

#include "platform/SetupProbe.h"
#include "platform/linux/UsbBus.h"

namespace zt40 {

struct InstalledFiles {
    std::vector<std::string> ppd;       // any one of these will do
    std::vector<std::string> filter;
    std::vector<std::string> udevRule;
    std::string devRoot = "/dev/bus/usb";
};

// Where the Debian package and a default source install put them.
InstalledFiles DefaultInstalledFiles();

class LinuxSetupProbe final : public ISetupProbe {
public:
    LinuxSetupProbe(IUsbBus& bus, InstalledFiles files);

    ProbeAnswer DriverFiles() override;
    ProbeAnswer DeviceOnBus(const QueueInfo& queue) override;
    ProbeAnswer DeviceAccess(const QueueInfo& queue) override;
    ProbeAnswer InterfaceFree(const QueueInfo& queue) override;

private:
    std::optional<UsbDeviceRecord> QueueDevice(const QueueInfo& queue);

    IUsbBus& m_bus;
    InstalledFiles m_files;
};

}  // namespace zt40
