#include "platform/sim/SimDeviceFinder.h"

#include "platform/SpoolerLookup.h"
#include "platform/TextCompare.h"

namespace zt40 {

std::string SimPortName(std::string_view serial) { return std::string(kSimPortPrefix) + std::string(serial); }

std::optional<std::string> SimDeviceFinder::FindDevicePath(std::string_view queueName) {
    const auto queue = LookUpQueue(m_spooler, queueName);
    if (!queue) return Found(std::nullopt, DeviceAccessFailure::QueueNotFound);
    const std::string_view port = queue->portName;
    if (!EqualsIgnoringCase(queue->driverName, kPrinterDriverName) || !port.starts_with(kSimPortPrefix)) {
        return Found(std::nullopt, DeviceAccessFailure::DeviceNotFound);
    }
    const auto serial = port.substr(kSimPortPrefix.size());
    if (serial.empty() || !m_printers.Find(serial)) return Found(std::nullopt, DeviceAccessFailure::DeviceNotFound);
    // Whether the printer can be opened is the opener's to report.
    return Found(SimDeviceOpener::PathFor(serial), DeviceAccessFailure::None);
}

std::optional<std::string> SimDeviceFinder::Found(std::optional<std::string> path, DeviceAccessFailure failure) {
    if (m_report) m_report->Record(failure);
    return path;
}

}  // namespace zt40
