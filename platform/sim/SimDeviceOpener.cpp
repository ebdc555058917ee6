#include "platform/sim/SimDeviceOpener.h"

#include <algorithm>

#include "platform/sim/SimChannel.h"

namespace zt40 {

std::string SimDeviceOpener::PathFor(std::string_view serial) { return std::string(kPathPrefix) + std::string(serial); }

void SimDeviceOpener::Attach(SimulatedZt40& printer) {
    Detach(printer.Serial());
    m_printers.push_back(&printer);
}

void SimDeviceOpener::Detach(std::string_view serial) {
    std::erase_if(m_printers, [serial](const SimulatedZt40* p) { return p->Serial() == serial; });
}

SimulatedZt40* SimDeviceOpener::Find(std::string_view serial) const {
    const auto found = std::ranges::find_if(m_printers, [serial](const SimulatedZt40* p) { return p->Serial() == serial; });
    return found == m_printers.end() ? nullptr : *found;
}

std::unique_ptr<IVendorChannel> SimDeviceOpener::OpenDevice(std::string_view devicePath) {
    ++m_openAttempts;
    SimulatedZt40* printer =
        devicePath.starts_with(kPathPrefix) ? Find(devicePath.substr(kPathPrefix.size())) : nullptr;
    if (!printer || !printer->IsReachable()) return Opened(nullptr, DeviceAccessFailure::DeviceNotFound, {});
    auto channel = SimChannel::Open(*printer);
    const auto failure = channel ? DeviceAccessFailure::None : DeviceAccessFailure::Busy;
    std::string opened = channel ? printer->Serial() : std::string();
    return Opened(std::move(channel), failure, std::move(opened));
}

std::unique_ptr<IVendorChannel> SimDeviceOpener::Opened(std::unique_ptr<IVendorChannel> channel,
                                                        DeviceAccessFailure failure, std::string printer) {
    if (m_report) {
        m_report->Record(failure);
        m_report->RecordOpened(std::move(printer));
    }
    return channel;
}

}  // namespace zt40
