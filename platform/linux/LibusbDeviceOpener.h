#pragma once
// Opens a device path (see UsbDevicePath.h) as a vendor-request channel. The device is
// looked up afresh on every open, so a printer that was switched off and on again, and so
// got a new kernel device number, is found under the same path.
#include <memory>
#include <string_view>

#include "platform/DeviceAccess.h"
#include "platform/VendorChannel.h"
#include "platform/linux/UsbBus.h"

namespace zt40 {

DeviceAccessFailure AccessFailureOf(UsbStatus openStatus);
// For a request on an open device: a time-out or stall means the printer does not answer.
DeviceAccessFailure TransferFailureOf(UsbStatus transferStatus);

class LibusbDeviceOpener final : public IDeviceOpener {
public:
    explicit LibusbDeviceOpener(IUsbBus& bus, DeviceAccessReport* report = nullptr);

    std::unique_ptr<IVendorChannel> OpenDevice(std::string_view devicePath) override;

private:
    IUsbBus& m_bus;
    DeviceAccessReport* m_report;
};

}  // namespace zt40
