#include "platform/linux/LinuxDeviceFinder.h"

#include "platform/SpoolerLookup.h"
#include "platform/linux/UsbDevicePath.h"
#include "platform/UsbDeviceUri.h"
#include "platform/linux/UsbPrinterMatch.h"

namespace zt40 {

LinuxDeviceFinder::LinuxDeviceFinder(ISpooler& spooler, IUsbBus& bus, DeviceAccessReport* report)
    : m_spooler(spooler), m_bus(bus), m_report(report) {}

void LinuxDeviceFinder::Record(DeviceAccessFailure failure) {
    if (m_report) m_report->Record(failure);
}

std::optional<std::string> LinuxDeviceFinder::FindDevicePath(std::string_view queueName) {
    const auto queue = LookUpQueue(m_spooler, queueName);
    if (!queue) {
        Record(DeviceAccessFailure::QueueNotFound);
        return std::nullopt;
    }
    const auto uri = ParseUsbDeviceUri(queue->portName);
    if (!uri) {
        Record(DeviceAccessFailure::DeviceNotFound);
        return std::nullopt;
    }
    const auto search = FindUriPrinter(m_bus, *uri, queue->driverName);
    if (!search.device) {
        Record(search.permissionDenied ? DeviceAccessFailure::NoPermission : DeviceAccessFailure::DeviceNotFound);
        return std::nullopt;
    }
    // Whether the device can be opened is the opener's to report.
    Record(DeviceAccessFailure::None);
    return FormatDevicePath(DevicePathOf(*search.device));
}

}  // namespace zt40
