#pragma once
// Finds the simulated printer behind a spooler queue: a ZT-40 queue whose port names the
// printer by serial number.
#include <optional>
#include <string>
#include <string_view>

#include "platform/DeviceAccess.h"
#include "platform/DeviceFinder.h"
#include "platform/Spooler.h"
#include "platform/sim/SimDeviceOpener.h"

namespace zt40 {

inline constexpr std::string_view kSimPortPrefix = "USB://Velmora/ZT-40?serial=";

// The port name a queue of the simulated printer `serial` carries.
std::string SimPortName(std::string_view serial);

class SimDeviceFinder : public IDeviceFinder {
public:
    // Nothing is owned; all must outlive the finder. With a report, every search records
    // whether the queue or its printer was missing.
    SimDeviceFinder(ISpooler& spooler, const SimDeviceOpener& printers, DeviceAccessReport* report = nullptr)
        : m_spooler(spooler), m_printers(printers), m_report(report) {}

    // "sim:<serial>" when the queue's driver is "Velmora ZT-40" (any letter case) and its
    // port is that of an attached printer, plugged in or not, as the platform remembers a
    // device it has seen once.
    std::optional<std::string> FindDevicePath(std::string_view queueName) override;

private:
    ISpooler& m_spooler;
    std::optional<std::string> Found(std::optional<std::string> path, DeviceAccessFailure failure);

    const SimDeviceOpener& m_printers;
    DeviceAccessReport* m_report;
};

}  // namespace zt40
