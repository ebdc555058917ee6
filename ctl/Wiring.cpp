#include "ctl/Wiring.h"

#include <cstdio>
#include <optional>
#include <vector>

#include "app/PrinterQueueRule.h"
#include "ctl/StdioMessageBox.h"
#include "platform/Spooler.h"
#include "platform/DeviceAccess.h"
#include "platform/linux/CupsSpooler.h"
#include "platform/linux/LibusbBus.h"
#include "platform/linux/LibusbDeviceOpener.h"
#include "platform/linux/LinuxDeviceFinder.h"
#include "platform/linux/SteadyClock.h"
#include "platform/linux/UsbDevicePresence.h"
#include "platform/sim/SimPrinterRig.h"
#include "platform/sim/Zt40StateFile.h"

namespace zt40::ctl {

namespace {

constexpr unsigned kRequestIndex = 0;
constexpr unsigned kDataSize = 32;


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

class SimulatedLink : public DeviceLink {
public:
    explicit SimulatedLink(const SimPrinterSetup& setup) : m_rig(setup) {}

    CHeadDevice& Device() override { return m_device; }
    IClock& Clock() override { return m_clock; }
    const std::string& QueueName() const override { return m_queueName; }
    std::string_view AccessHint() const override { return m_rig.Report().Hint(); }

    SimPrinterRig& Rig() { return m_rig; }
    void SetQueueName(std::string name) { m_queueName = std::move(name); }

private:
    // Declared before the device, which holds a channel into the rig's printer.
    SimPrinterRig m_rig;
    SteadyClock m_clock;
    StdioMessageBox m_messages;
    CHeadDevice m_device{m_rig.Platform(m_clock, m_messages)};
    std::string m_queueName;
};

WiredLink WireSimulated(const GlobalOptions& options) {
    SimPrinterSetup setup;
    if (!options.simulateFile.empty()) {
        auto loaded = LoadStateFile(options.simulateFile);
        if (!loaded.Ok()) return {nullptr, DescribeErrors(options.simulateFile, loaded.errors), 2};
        setup = std::move(loaded.setup);
    }
    auto link = std::make_unique<SimulatedLink>(setup);
    auto queue = ChooseQueue(link->Rig().Spooler(), options);
    if (!queue) return {nullptr, NoQueueText(), 1};
    link->SetQueueName(std::move(*queue));
    return {std::move(link), {}, 0};
}

// --device PATH: the path is the device, whichever queue is named.
class FixedPathFinder final : public IDeviceFinder {
public:
    explicit FixedPathFinder(std::string path) : m_path(std::move(path)) {}
    std::optional<std::string> FindDevicePath(std::string_view) override { return m_path; }

private:
    std::string m_path;
};

class RealLink : public DeviceLink {
public:
    RealLink(std::unique_ptr<IUsbBus> bus, std::optional<std::string> devicePath)
        : m_bus(std::move(bus)),
          m_spooler([this](std::string_view uri) { return IsUsbDevicePresent(*m_bus, uri); }),
          m_finder(devicePath ? std::unique_ptr<IDeviceFinder>(std::make_unique<FixedPathFinder>(*devicePath))
                              : std::make_unique<LinuxDeviceFinder>(m_spooler, *m_bus, &m_report)),
          m_opener(*m_bus, &m_report),
          m_device(DeviceLinkPlatform{*m_finder, m_opener, m_clock, m_messages, m_spooler}) {}

    CHeadDevice& Device() override { return m_device; }
    IClock& Clock() override { return m_clock; }
    const std::string& QueueName() const override { return m_queueName; }
    std::string_view AccessHint() const override { return m_report.Hint(); }

    ISpooler& Spooler() { return m_spooler; }
    void SetQueueName(std::string name) { m_queueName = std::move(name); }

private:
    std::unique_ptr<IUsbBus> m_bus;
    DeviceAccessReport m_report;
    CupsSpooler m_spooler;
    std::unique_ptr<IDeviceFinder> m_finder;
    LibusbDeviceOpener m_opener;
    SteadyClock m_clock;
    StdioMessageBox m_messages;
    CHeadDevice m_device;  // last: it holds a channel from the opener
    std::string m_queueName;
};

WiredLink WireReal(const GlobalOptions& options) {
    auto bus = LibusbBus::Create();
    if (!bus) return {nullptr, "zt40ctl: USB cannot be used on this machine (libusb or udev failed to start)", 1};
    auto link = std::make_unique<RealLink>(std::move(bus), options.device);
    if (options.device) {
        link->SetQueueName(options.queue.value_or(""));
        return {std::move(link), {}, 0};
    }
    auto queue = ChooseQueue(link->Spooler(), options);
    if (!queue) return {nullptr, NoQueueText(), 1};
    link->SetQueueName(std::move(*queue));
    return {std::move(link), {}, 0};
}

}  // namespace

std::string NoQueueText(std::string_view command) {
    return "zt40ctl: " + (command.empty() ? std::string() : std::string(command) + ": ") +
           "no usable ZT-40 queue: none has the driver \"" + std::string(kPrinterDriverName) +
           "\", a USB port and is online (name one with --queue)";
}

std::optional<std::string> ChooseQueue(ISpooler& spooler, const GlobalOptions& options) {
    if (options.queue) return *options.queue;
    std::vector<QueueInfo> queues;
    if (!spooler.EnumLocalQueues(queues)) return std::nullopt;
    for (const auto& queue : queues) {
        if (MatchesPrinterQueue(queue)) return queue.name;
    }
    return std::nullopt;
}

std::unique_ptr<ISpooler> MakeSpooler(const GlobalOptions& options) {
    if (!options.simulate) {
        return std::make_unique<CupsSpooler>([](std::string_view deviceUri) { return IsUsbDevicePresent(deviceUri); });
    }
    SimPrinterSetup setup;
    if (!options.simulateFile.empty()) {
        auto loaded = LoadStateFile(options.simulateFile);
        if (!loaded.Ok()) {
            std::fprintf(stderr, "%s\n", DescribeErrors(options.simulateFile, loaded.errors).c_str());
            return nullptr;
        }
        setup = std::move(loaded.setup);
    }
    return std::make_unique<SimulatedSpooler>(setup);
}

WiredLink WireDeviceLink(const GlobalOptions& options) {
    if (options.simulate) return WireSimulated(options);
    return WireReal(options);
}

bool OpenDevice(DeviceLink& link) {
    auto& device = link.Device();
    device.Close();
    return device.Open(link.QueueName(), kRequestIndex, kDataSize);
}

}  // namespace zt40::ctl
