#include "platform/linux/LinuxSetupProbe.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>

#include "platform/UsbDeviceUri.h"
#include "platform/linux/UsbPrinterMatch.h"

namespace zt40 {

namespace {

Message Of(Text text, std::vector<std::string> args = {}) { return Message::Of(text, std::move(args)); }

bool AnyExists(const std::vector<std::string>& paths, int mode) {
    for (const auto& path : paths) {
        if (::faccessat(AT_FDCWD, path.c_str(), mode, AT_EACCESS) == 0) return true;
    }
    return false;
}

std::string NodePath(const std::string& root, const UsbDeviceRecord& device) {
    char tail[16];
    std::snprintf(tail, sizeof tail, "/%03u/%03u", static_cast<unsigned>(device.busNumber),
                  static_cast<unsigned>(device.deviceAddress));
    return root + tail;
}

std::string UriOf(const UsbDeviceRecord& device) {
    std::string uri = "usb://" + device.manufacturer + "/" + device.product;
    if (!device.serial.empty()) uri += "?serial=" + device.serial;
    return uri;
}

}  // namespace

InstalledFiles DefaultInstalledFiles() {
    InstalledFiles files;
    // Where this build installs the driver, then where earlier installs put it.
    files.ppd = {ZT40_INSTALLED_PPD, "/usr/share/ppd/velmora/velmora-zt40.ppd",
                 "/usr/local/share/ppd/velmora/velmora-zt40.ppd"};
    files.filter = {"/usr/lib/cups/filter/zt40-passthrough"};
    files.udevRule = {"/etc/udev/rules.d/70-zt40-pinwarden.rules", "/usr/lib/udev/rules.d/70-zt40-pinwarden.rules",
                      "/lib/udev/rules.d/70-zt40-pinwarden.rules"};
    return files;
}

LinuxSetupProbe::LinuxSetupProbe(IUsbBus& bus, InstalledFiles files) : m_bus(bus), m_files(std::move(files)) {}

ProbeAnswer LinuxSetupProbe::DriverFiles() {
    const bool ppd = AnyExists(m_files.ppd, R_OK);
    const bool filter = AnyExists(m_files.filter, X_OK);
    if (ppd && filter) return ProbeAnswer::Ok(Of(ZT40_TR("Doctor", "the queue driver and its pass-through filter are installed")));
    return ProbeAnswer::Problem(
        Of(ppd ? ZT40_TR("Doctor", "the pass-through filter zt40-passthrough is missing")
               : ZT40_TR("Doctor", "the queue driver velmora-zt40.ppd is missing")),
        Of(ZT40_TR("Doctor", "install the zt40-pinwarden package again")));
}

std::optional<UsbDeviceRecord> LinuxSetupProbe::QueueDevice(const QueueInfo& queue) {
    const auto uri = ParseUsbDeviceUri(queue.portName);
    if (!uri) return std::nullopt;
    return FindUriPrinter(m_bus, *uri).device;
}

ProbeAnswer LinuxSetupProbe::DeviceOnBus(const QueueInfo& queue) {
    if (const auto device = QueueDevice(queue)) {
        return ProbeAnswer::Ok(Of(ZT40_TR("Doctor", "the queue's printer is attached at USB %1-%2"),
                                  {std::to_string(device->busNumber), std::to_string(device->deviceAddress)}));
    }
    const UsbDeviceUri anyZt40{"Velmora", "ZT-40", std::nullopt, std::nullopt};
    if (const auto other = FindUriPrinter(m_bus, anyZt40).device) {
        return ProbeAnswer::Problem(
            Of(ZT40_TR("Doctor", "the queue's printer (%1) is not attached, but a ZT-40 is: %2"),
               {queue.portName, UriOf(*other)}),
            Of(ZT40_TR("Doctor", "point the queue at it: lpadmin -p \"%1\" -v \"%2\""), {queue.name, UriOf(*other)}));
    }
    return ProbeAnswer::Problem(Of(ZT40_TR("Doctor", "the queue's printer (%1) is not attached"), {queue.portName}),
                                Of(ZT40_TR("Doctor", "plug in the USB cable and switch the printer on")));
}

ProbeAnswer LinuxSetupProbe::DeviceAccess(const QueueInfo& queue) {
    const auto device = QueueDevice(queue);
    if (!device) return ProbeAnswer::Problem(Of(ZT40_TR("Doctor", "the printer went away")), {});
    const std::string node = NodePath(m_files.devRoot, *device);
    const bool rule = AnyExists(m_files.udevRule, R_OK);
    if (::faccessat(AT_FDCWD, node.c_str(), R_OK | W_OK, AT_EACCESS) == 0) {
        return ProbeAnswer::Ok(rule ? Of(ZT40_TR("Doctor", "%1 is readable and writable; the udev rule is installed"), {node})
                                    : Of(ZT40_TR("Doctor", "%1 is readable and writable (no udev rule needed for this user)"),
                                         {node}));
    }
    if (!rule) {
        return ProbeAnswer::Problem(Of(ZT40_TR("Doctor", "no permission on %1, and the udev rule is not installed"), {node}),
                                    Of(ZT40_TR("Doctor", "install the zt40-pinwarden package, then reconnect the printer")));
    }
    return ProbeAnswer::Problem(Of(ZT40_TR("Doctor", "no permission on %1"), {node}),
                                Of(ZT40_TR("Doctor", "reconnect the printer so that the udev rule applies, or join the "
                                                     "group lp and log in again")));
}

ProbeAnswer LinuxSetupProbe::InterfaceFree(const QueueInfo& queue) {
    const auto device = QueueDevice(queue);
    if (!device) return ProbeAnswer::Problem(Of(ZT40_TR("Doctor", "the printer went away")), {});
    auto opened = m_bus.Open(*device);
    if (!opened.handle) {
        if (opened.status == UsbStatus::Busy) {
            return ProbeAnswer::Problem(Of(ZT40_TR("Doctor", "another program has the printer's USB device open")),
                                        Of(ZT40_TR("Doctor", "close the other ZT-40 Pinwarden or zt40ctl")));
        }
        return ProbeAnswer::Problem(Of(ZT40_TR("Doctor", "the printer's USB device cannot be opened")), {});
    }
    const auto number = device->printerInterface;
    const bool kernelDriver = opened.handle->KernelDriver(number) == KernelDriverState::Active;
    if (kernelDriver) {
        return ProbeAnswer::Ok(Of(ZT40_TR("Doctor", "the kernel printer driver holds the interface; it is set aside "
                                                    "for each command")));
    }
    const auto claim = opened.handle->ClaimInterface(number);
    if (claim == UsbStatus::Ok) {
        opened.handle->ReleaseInterface(number);
        return ProbeAnswer::Ok(Of(ZT40_TR("Doctor", "the printer interface is free")));
    }
    if (claim == UsbStatus::Busy) {
        return ProbeAnswer::Problem(Of(ZT40_TR("Doctor", "another program holds the printer interface")),
                                    Of(ZT40_TR("Doctor", "let the spooler finish its job, or stop the program that "
                                                         "holds the printer")));
    }
    return ProbeAnswer::Problem(Of(ZT40_TR("Doctor", "the printer interface cannot be claimed")), {});
}

}  // namespace zt40
