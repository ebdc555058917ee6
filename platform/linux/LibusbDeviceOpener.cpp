#include "platform/linux/LibusbDeviceOpener.h"

#include "platform/linux/LibusbVendorChannel.h"
#include "platform/linux/UsbDevicePath.h"

namespace zt40 {

DeviceAccessFailure AccessFailureOf(UsbStatus openStatus) {
    switch (openStatus) {
    case UsbStatus::Ok:
        return DeviceAccessFailure::None;
    case UsbStatus::NoDevice:
    case UsbStatus::NotFound:
        return DeviceAccessFailure::DeviceNotFound;
    case UsbStatus::Access:
        return DeviceAccessFailure::NoPermission;
    case UsbStatus::Busy:
        return DeviceAccessFailure::Busy;
    default:
        return DeviceAccessFailure::OpenFailed;
    }
}

DeviceAccessFailure TransferFailureOf(UsbStatus transferStatus) {
    switch (transferStatus) {
    case UsbStatus::Ok:
    case UsbStatus::NoDevice:
    case UsbStatus::Access:
    case UsbStatus::Busy:
        return AccessFailureOf(transferStatus);
    default:
        return DeviceAccessFailure::NotAnswering;
    }
}

LibusbDeviceOpener::LibusbDeviceOpener(IUsbBus& bus, DeviceAccessReport* report) : m_bus(bus), m_report(report) {}

std::unique_ptr<IVendorChannel> LibusbDeviceOpener::OpenDevice(std::string_view devicePath) {
    auto failure = DeviceAccessFailure::DeviceNotFound;
    std::unique_ptr<IVendorChannel> channel;
    std::string printer;
    if (const auto path = ParseDevicePath(devicePath)) {
        for (const auto& device : m_bus.ListPrinterDevices()) {
            if (!IsSameDevice(*path, device)) continue;
            auto opened = m_bus.Open(device);
            if (opened.handle) {
                channel = std::make_unique<LibusbVendorChannel>(std::move(opened.handle), device.printerInterface, m_report);
                failure = DeviceAccessFailure::None;
                printer = device.serial.empty() ? "port:" + FormatPortLocation(device.busNumber, device.portChain)
                                                : device.serial;
            } else {
                failure = AccessFailureOf(opened.status == UsbStatus::Ok ? UsbStatus::Other : opened.status);
            }
            break;
        }
    }
    if (m_report) {
        m_report->Record(failure);
        m_report->RecordOpened(std::move(printer));
    }
    return channel;
}

}  // namespace zt40
