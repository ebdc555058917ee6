#include "wiring/Wiring.h"

#include <vector>

#include "platform/linux/CupsSpooler.h"
#include "platform/linux/LibusbBus.h"
#include "platform/linux/LibusbDeviceOpener.h"
#include "platform/linux/LinuxDeviceFinder.h"
#include "platform/linux/SteadyClock.h"
#include "platform/linux/UdevDeviceMonitor.h"
#include "platform/linux/UsbDevicePresence.h"
#include "platform/sim/SimDeviceChangeMonitor.h"
#include "platform/sim/SimPrinterRig.h"
#include "platform/sim/Zt40StateFile.h"

namespace zt40 {

namespace {

class SimulatedWiring final : public PlatformWiring {
public:
    SimulatedWiring(const SimPrinterSetup& setup, IMessageBox& messages) : m_rig(setup), m_messages(messages) {}

    DeviceLinkPlatform Platform() override { return m_rig.Platform(m_clock, m_messages); }
    ISpooler& Spooler() override { return m_rig.Spooler(); }
    IClock& Clock() override { return m_clock; }
    const DeviceAccessReport& AccessReport() const override { return m_rig.Report(); }
    std::unique_ptr<IDeviceChangeMonitor> MakeDeviceChangeMonitor(IDeviceChangeMonitor::Notify notify) override {
        return std::make_unique<SimDeviceChangeMonitor>(m_rig.Printer(), std::move(notify));
    }
    SimPrinterRig* Simulator() override { return &m_rig; }

private:
    SimPrinterRig m_rig;
    SteadyClock m_clock;
    IMessageBox& m_messages;
};

// --device PATH: the path is the device, whichever queue is named.
class FixedPathFinder final : public IDeviceFinder {
public:
    explicit FixedPathFinder(std::string path) : m_path(std::move(path)) {}
    std::optional<std::string> FindDevicePath(std::string_view) override { return m_path; }

private:
    std::string m_path;
};

class RealWiring final : public PlatformWiring {
public:
    RealWiring(std::unique_ptr<IUsbBus> bus, const std::optional<std::string>& devicePath, IMessageBox& messages)
        : m_bus(std::move(bus)),
          m_spooler([this](std::string_view uri) { return IsUsbDevicePresent(*m_bus, uri); }),
          m_finder(devicePath ? std::unique_ptr<IDeviceFinder>(std::make_unique<FixedPathFinder>(*devicePath))
                              : std::make_unique<LinuxDeviceFinder>(m_spooler, *m_bus, &m_report)),
          m_opener(*m_bus, &m_report),
          m_messages(messages) {}

    DeviceLinkPlatform Platform() override { return {*m_finder, m_opener, m_clock, m_messages, m_spooler}; }
    ISpooler& Spooler() override { return m_spooler; }
    IClock& Clock() override { return m_clock; }
    const DeviceAccessReport& AccessReport() const override { return m_report; }
    std::unique_ptr<IDeviceChangeMonitor> MakeDeviceChangeMonitor(IDeviceChangeMonitor::Notify notify) override {
        return UdevDeviceMonitor::Create(std::move(notify));
    }

private:
    std::unique_ptr<IUsbBus> m_bus;
    DeviceAccessReport m_report;
    CupsSpooler m_spooler;
    std::unique_ptr<IDeviceFinder> m_finder;
    LibusbDeviceOpener m_opener;
    SteadyClock m_clock;
    IMessageBox& m_messages;
};

// The simulated printer's spooler, with the printer kept alive behind it.
class SimulatedSpooler final : public ISpooler {
public:
    explicit SimulatedSpooler(const SimPrinterSetup& setup) : m_rig(setup) {}

    bool EnumLocalQueues(std::vector<QueueInfo>& queues) override { return m_rig.Spooler().EnumLocalQueues(queues); }
    std::unique_ptr<ISpoolerQueue> OpenQueue(std::string_view name) override { return m_rig.Spooler().OpenQueue(name); }
    std::string LastErrorText() override { return m_rig.Spooler().LastErrorText(); }

private:
    SimPrinterRig m_rig;
};

// The simulated printer's starting state: the defaults, or the file's.
std::optional<SimPrinterSetup> LoadSetup(const WiringOptions& options, std::string& error) {
    if (options.simulateFile.empty()) return SimPrinterSetup{};
    auto loaded = LoadStateFile(options.simulateFile);
    if (!loaded.Ok()) {
        error = DescribeErrors(options.simulateFile, loaded.errors);
        return std::nullopt;
    }
    return std::move(loaded.setup);
}

}  // namespace

WiredPlatform WirePlatform(const WiringOptions& options, IMessageBox& messages) {
    if (options.simulate) {
        std::string error;
        const auto setup = LoadSetup(options, error);
        if (!setup) return {nullptr, error, 2};
        return {std::make_unique<SimulatedWiring>(*setup, messages), {}, 0};
    }
    auto bus = LibusbBus::Create();
    if (!bus) return {nullptr, "USB cannot be used on this machine (libusb or udev failed to start)", 1};
    return {std::make_unique<RealWiring>(std::move(bus), options.device, messages), {}, 0};
}

std::unique_ptr<ISpooler> MakeSpooler(const WiringOptions& options, std::string& error) {
    if (!options.simulate) {
        return std::make_unique<CupsSpooler>([](std::string_view deviceUri) { return IsUsbDevicePresent(deviceUri); });
    }
    const auto setup = LoadSetup(options, error);
    if (!setup) return nullptr;
    return std::make_unique<SimulatedSpooler>(*setup);
}

}  // namespace zt40
