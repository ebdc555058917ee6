#pragma once
// Opens the simulated printers by device path "sim:<serial>".
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/DeviceAccess.h"
#include "platform/VendorChannel.h"
#include "platform/sim/SimulatedZt40.h"

namespace zt40 {

class SimDeviceOpener : public IDeviceOpener {
public:
    static constexpr std::string_view kPathPrefix = "sim:";
    static std::string PathFor(std::string_view serial);

    // With a report, every open attempt records why it failed (or that it succeeded).
    explicit SimDeviceOpener(DeviceAccessReport* report = nullptr) : m_report(report) {}

    // The printer is not owned; it must outlive the opener and every channel it opened.
    void Attach(SimulatedZt40& printer);
    void Detach(std::string_view serial);
    SimulatedZt40* Find(std::string_view serial) const;

    // nullptr when the path names no attached printer, or the printer is unplugged or off
    // (device not found), or held by another (busy).
    std::unique_ptr<IVendorChannel> OpenDevice(std::string_view devicePath) override;

    int OpenAttempts() const { return m_openAttempts; }

private:
    std::unique_ptr<IVendorChannel> Opened(std::unique_ptr<IVendorChannel> channel, DeviceAccessFailure failure,
                                           std::string printer);

    DeviceAccessReport* m_report;
    std::vector<SimulatedZt40*> m_printers;
    int m_openAttempts = 0;
};

}  // namespace zt40
