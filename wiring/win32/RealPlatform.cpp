// The Windows edition's machine: the printer-class driver, the device registry, the spooler.
#include "wiring/RealPlatform.h"

#include "device/RegistryDeviceFinder.h"
#include "platform/SpoolerLookup.h"
#include "platform/win32/TickCountClock.h"
#include "platform/win32/Win32DataFolderPlatform.h"
#include "platform/win32/Win32DeviceChangeMonitor.h"
#include "platform/win32/Win32KeyTree.h"
#include "platform/win32/Win32SetupProbe.h"
#include "platform/win32/Win32Spooler.h"
#include "platform/win32/Win32VendorChannel.h"
#include "session/PrinterSession.h"

namespace zt40 {

namespace {

// The registry walks, telling the main window why nothing was found.
class ReportingRegistryFinder final : public IDeviceFinder {
public:
    ReportingRegistryFinder(ISpooler& spooler, DeviceAccessReport& report)
        : m_spooler(spooler), m_walks(spooler, m_keys, m_version), m_report(report) {}

    std::optional<std::string> FindDevicePath(std::string_view queueName) override {
        auto path = m_walks.FindDevicePath(queueName);
        if (!path) {
            m_report.Record(LookUpQueue(m_spooler, queueName) ? DeviceAccessFailure::DeviceNotFound
                                                              : DeviceAccessFailure::QueueNotFound);
        }
        return path;
    }

private:
    ISpooler& m_spooler;
    Win32KeyTree m_keys;
    Win32VersionQuery m_version;
    RegistryDeviceFinder m_walks;
    DeviceAccessReport& m_report;
};

class RealWiring final : public SystemWiring {
public:
    RealWiring(const std::optional<std::string>& devicePath, IMessageBox& messages)
        : m_finder(devicePath ? std::unique_ptr<IDeviceFinder>(std::make_unique<FixedPathFinder>(*devicePath))
                              : std::make_unique<ReportingRegistryFinder>(m_spooler, m_report)),
          m_opener(SystemDeviceIo(), &m_report) {
        Use({*m_finder, m_opener, m_clock, messages, m_spooler});
    }

    std::unique_ptr<IDeviceChangeMonitor> MakeDeviceChangeMonitor(IDeviceChangeMonitor::Notify notify) override {
        return Win32DeviceChangeMonitor::Create(std::move(notify));
    }

private:
    Win32Spooler m_spooler;
    std::unique_ptr<IDeviceFinder> m_finder;
    Win32DeviceOpener m_opener;
    TickCountClock m_clock;
};

}  // namespace

WiredPlatform WireRealPlatform(const WiringOptions& options, IMessageBox& messages) {
    return {std::make_unique<RealWiring>(options.device, messages), {}, 0};
}

std::unique_ptr<ISpooler> MakeRealSpooler() { return std::make_unique<Win32Spooler>(); }

IClock& SystemClock() {
    static TickCountClock clock;
    return clock;
}

std::optional<std::string> DevicePathProblem(std::string_view path) {
    if (!path.empty()) return std::nullopt;
    return "--device needs the printer's device path, as the device registry gives it";
}

std::optional<DoctorReport> RunMachineDoctor(const std::string&, const std::optional<std::string>& queue,
                                             IMessageBox& messages, std::string&) {
    RealWiring wiring(std::nullopt, messages);
    PrinterSession session(wiring.Platform(), SleepPause, &wiring.AccessReport());
    Win32KeyTree keys;
    Win32VersionQuery version;
    RegistryDeviceFinder finder(wiring.Spooler(), keys, version);
    Win32SetupProbe probe(finder);
    Win32DataFolderPlatform dataFolder;
    return RunDoctor(DoctorPlatform{wiring.Spooler(), probe, session, &wiring.AccessReport(), dataFolder, queue});
}

}  // namespace zt40
