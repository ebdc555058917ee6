// The Linux edition's machine: CUPS, libusb and udev.
#include "wiring/RealPlatform.h"

#include "platform/linux/CupsSpooler.h"
#include "platform/linux/LibusbBus.h"
#include "platform/linux/LibusbDeviceOpener.h"
#include "platform/linux/LinuxDataFolderPlatform.h"
#include "platform/linux/LinuxDeviceFinder.h"
#include "platform/linux/LinuxSetupProbe.h"
#include "platform/linux/SteadyClock.h"
#include "platform/linux/UdevDeviceMonitor.h"
#include "platform/linux/UsbDevicePath.h"
#include "platform/linux/UsbDevicePresence.h"
#include "session/PrinterSession.h"

namespace zt40 {

namespace {

class RealWiring final : public SystemWiring {
public:
    RealWiring(std::unique_ptr<IUsbBus> bus, const std::optional<std::string>& devicePath, IMessageBox& messages)
        : m_bus(std::move(bus)),
          m_spooler([this](std::string_view uri) { return IsUsbDevicePresent(*m_bus, uri); }),
          m_finder(devicePath ? std::unique_ptr<IDeviceFinder>(std::make_unique<FixedPathFinder>(*devicePath))
                              : std::make_unique<LinuxDeviceFinder>(m_spooler, *m_bus, &m_report)),
          m_opener(*m_bus, &m_report) {
        Use({*m_finder, m_opener, m_clock, messages, m_spooler});
    }

    std::unique_ptr<IDeviceChangeMonitor> MakeDeviceChangeMonitor(IDeviceChangeMonitor::Notify notify) override {
        return UdevDeviceMonitor::Create(std::move(notify));
    }

private:
    std::unique_ptr<IUsbBus> m_bus;
    CupsSpooler m_spooler;
    std::unique_ptr<IDeviceFinder> m_finder;
    LibusbDeviceOpener m_opener;
    SteadyClock m_clock;
};

InstalledFiles FilesUnder(const std::string& root) {
    auto files = DefaultInstalledFiles();
    if (root.empty()) return files;
    for (auto* list : {&files.ppd, &files.filter, &files.udevRule}) {
        for (auto& path : *list) path = root + path;
    }
    return files;
}

}  // namespace

WiredPlatform WireRealPlatform(const WiringOptions& options, IMessageBox& messages) {
    auto bus = LibusbBus::Create();
    if (!bus) return {nullptr, "USB cannot be used on this machine (libusb or udev failed to start)", 1};
    return {std::make_unique<RealWiring>(std::move(bus), options.device, messages), {}, 0};
}

std::unique_ptr<ISpooler> MakeRealSpooler() {
    return std::make_unique<CupsSpooler>([](std::string_view deviceUri) { return IsUsbDevicePresent(deviceUri); });
}

IClock& SystemClock() {
    static SteadyClock clock;
    return clock;
}

std::optional<std::string> DevicePathProblem(std::string_view path) {
    if (ParseDevicePath(path)) return std::nullopt;
    return "--device \"" + std::string(path) +
           "\" is not a USB device path; one looks like usb:1a2b:00c4:serial=ZT4000123 "
           "or usb:1a2b:00c4:port=1-1.4 (vendor and product in hex)";
}

std::optional<DoctorReport> RunMachineDoctor(const std::string& filesRoot, const std::optional<std::string>& queue,
                                             IMessageBox& messages, std::string& error) {
    auto bus = LibusbBus::Create();
    if (!bus) {
        error = "USB cannot be reached on this machine";
        return std::nullopt;
    }
    CupsSpooler spooler([&bus](std::string_view uri) { return IsUsbDevicePresent(*bus, uri); });
    DeviceAccessReport access;
    LinuxDeviceFinder finder(spooler, *bus, &access);
    LibusbDeviceOpener opener(*bus, &access);
    SteadyClock clock;
    PrinterSession session(DeviceLinkPlatform{finder, opener, clock, messages, spooler}, SleepPause, &access);
    LinuxSetupProbe probe(*bus, FilesUnder(filesRoot));
    LinuxDataFolderPlatform dataFolder;
    return RunDoctor(DoctorPlatform{spooler, probe, session, &access, dataFolder, queue});
}

}  // namespace zt40
