#pragma once
// From a spooler queue to its printer's USB device: the queue's device URI names make,
// model and serial; the attached printer-class device with the same ones is the printer.
#include <optional>
#include <string>
#include <string_view>

#include "platform/DeviceAccess.h"
#include "platform/DeviceFinder.h"
#include "platform/Spooler.h"
#include "platform/linux/UsbBus.h"

namespace zt40 {

class LinuxDeviceFinder final : public IDeviceFinder {
public:
    // `report` (optional) learns why a search failed.
    LinuxDeviceFinder(ISpooler& spooler, IUsbBus& bus, DeviceAccessReport* report = nullptr);

    // The device's re-openable path (see UsbDevicePath.h). The queue's driver name must equal
    // the device's make and model without regard to case.
    std::optional<std::string> FindDevicePath(std::string_view queueName) override;

private:
    void Record(DeviceAccessFailure failure);

    ISpooler& m_spooler;
    IUsbBus& m_bus;
    DeviceAccessReport* m_report;
};

}  // namespace zt40
