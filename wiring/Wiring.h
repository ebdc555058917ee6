#pragma once
// Builds the platform pieces behind the printer: simulated ones with --simulate, real ones
// (CUPS, libusb, udev) otherwise. zt40ctl, zt40util and the tests are all wired here.
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "device/CHeadDevice.h"
#include "platform/DeviceAccess.h"
#include "platform/DeviceChangeMonitor.h"
#include "platform/MessageBox.h"
#include "platform/Spooler.h"
#include "session/QueueRule.h"

namespace zt40 {

class SimPrinterRig;

struct WiringOptions {
    bool simulate = false;
    std::string simulateFile;            // --simulate=FILE: the simulated printer's initial state
    std::optional<std::string> device;   // --device PATH: open this USB device directly
    std::optional<std::string> queue;    // --queue NAME
};

// Everything a CHeadDevice needs, with the pieces behind it, alive as long as this object;
// a device wired from it must be destroyed first.
class PlatformWiring {
public:
    virtual ~PlatformWiring() = default;
    virtual DeviceLinkPlatform Platform() = 0;
    virtual ISpooler& Spooler() = 0;
    virtual IClock& Clock() = 0;
    // Why the latest search or open of the device failed.
    virtual const DeviceAccessReport& AccessReport() const = 0;
    // The notice that devices were added or removed; null when the system offers none.
    virtual std::unique_ptr<IDeviceChangeMonitor> MakeDeviceChangeMonitor(IDeviceChangeMonitor::Notify notify) = 0;
    // The simulated printer, for a window that plugs and powers it; null on real hardware.
    virtual SimPrinterRig* Simulator() { return nullptr; }
};

struct WiredPlatform {
    std::unique_ptr<PlatformWiring> wiring;  // null on failure
    std::string error;                       // why, in one or more lines
    int exitStatus = 0;                      // for the failure: 2 for bad options or files, 1 otherwise
};

// `messages` must outlive the wiring; the device's own boxes ("Out of memory.") go there.
WiredPlatform WirePlatform(const WiringOptions& options, IMessageBox& messages);

// The spooler alone, for commands that only print or cancel: with --simulate[=FILE] the
// simulated printer's spooler, otherwise CUPS. Null when the simulation file cannot be loaded;
// `error` then says why.
std::unique_ptr<ISpooler> MakeSpooler(const WiringOptions& options, std::string& error);

}  // namespace zt40
