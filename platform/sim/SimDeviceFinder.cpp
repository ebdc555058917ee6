#include "platform/sim/SimDeviceFinder.h"

#include "app/PrinterQueueRule.h"
#include "device/SpoolerLookup.h"

namespace zt40 {

std::string SimPortName(std::string_view serial) { return std::string(kSimPortPrefix) + std::string(serial); }

std::optional<std::string> SimDeviceFinder::FindDevicePath(std::string_view queueName) {
    const auto queue = LookUpQueue(m_spooler, queueName);
    if (!queue || !EqualsIgnoringCase(queue->driverName, kPrinterDriverName)) return std::nullopt;
    const std::string_view port = queue->portName;
    if (!port.starts_with(kSimPortPrefix)) return std::nullopt;
    const auto serial = port.substr(kSimPortPrefix.size());
    if (serial.empty() || !m_printers.Find(serial)) return std::nullopt;
    return SimDeviceOpener::PathFor(serial);
}

}  // namespace zt40
