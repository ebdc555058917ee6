#include "wiring/Wiring.h"

#include <vector>

#include "platform/sim/SimDeviceChangeMonitor.h"
#include "platform/sim/SimPrinterRig.h"
#include "platform/sim/Zt40StateFile.h"
#include "wiring/RealPlatform.h"

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
    IClock& m_clock = SystemClock();
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
    return WireRealPlatform(options, messages);
}

std::unique_ptr<ISpooler> MakeSpooler(const WiringOptions& options, std::string& error) {
    if (!options.simulate) return MakeRealSpooler();
    const auto setup = LoadSetup(options, error);
    if (!setup) return nullptr;
    return std::make_unique<SimulatedSpooler>(*setup);
}

}  // namespace zt40
