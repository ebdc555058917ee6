#include "platform/linux/UsbDevicePresence.h"

#include "platform/linux/LibusbBus.h"
#include "platform/UsbDeviceUri.h"
#include "platform/linux/UsbPrinterMatch.h"

namespace zt40 {

bool IsUsbDevicePresent(IUsbBus& bus, std::string_view deviceUri) {
    const auto uri = ParseUsbDeviceUri(deviceUri);
    return uri && FindUriPrinter(bus, *uri).device.has_value();
}

bool IsUsbDevicePresent(std::string_view deviceUri) {
    // One bus for the process keeps the answers to device-ID requests between calls.
    static const std::unique_ptr<LibusbBus> bus = LibusbBus::Create();
    return bus && IsUsbDevicePresent(*bus, deviceUri);
}

}  // namespace zt40
