#pragma once
// How a CUPS destination reads as a spooler queue record: the queue name, the make and
// model as driver name, the device URI as port name, and the offline/network attributes.
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Spooler.h"

namespace zt40 {

// Whether the USB device a usb:// queue points at is on the bus now.
using UsbPresence = std::function<bool(std::string_view deviceUri)>;

// The printer-type and printer-state values the mapping looks at (libcups' own values).
inline constexpr std::uint32_t kCupsPrinterRemote = 0x0002;
inline constexpr int kCupsPrinterStateStopped = 5;

// The attributes of one destination as CUPS-Get-Printers or Get-Printer-Attributes report them.
struct CupsPrinterRecord {
    std::string name;                       // printer-name
    std::string deviceUri;                  // device-uri
    std::string makeAndModel;               // printer-make-and-model
    std::uint32_t printerType = 0;          // printer-type
    int state = 3;                          // printer-state: 3 idle, 4 processing, 5 stopped
    std::vector<std::string> stateReasons;  // printer-state-reasons
    bool acceptingJobs = true;              // printer-is-accepting-jobs
};

// The device URI with its scheme in capitals ("usb://Velmora/..." reads "USB://Velmora/..."),
// so that "contains USB" holds for USB queues only. A URI without a scheme stays as it is.
std::string PortNameFromDeviceUri(std::string_view deviceUri);

// The URI's scheme, lower case; empty when there is none.
std::string DeviceUriScheme(std::string_view deviceUri);

// ipp, ipps, http, https, socket, lpd, dnssd and the like: the printer is reached over a network.
bool IsNetworkDeviceUri(std::string_view deviceUri);

// A reason "offline", "offline-report", "offline-warning" or "offline-error".
bool ReportsOffline(std::span<const std::string> stateReasons);

// Offline while stopped, reported off-line, or (usb:// only) while `usbPresent` says the
// device is not on the bus; network for remote destinations and network device URIs.
// An empty `usbPresent` counts every device as present.
QueueInfo ToQueueInfo(const CupsPrinterRecord& record, const UsbPresence& usbPresent);

}  // namespace zt40
