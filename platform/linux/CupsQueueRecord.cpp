#include "platform/linux/CupsQueueRecord.h"

#include <cups/cups.h>

#include <algorithm>
#include <array>

namespace zt40 {

static_assert(kCupsPrinterRemote == CUPS_PRINTER_REMOTE);
static_assert(kCupsPrinterStateStopped == IPP_PSTATE_STOPPED);

namespace {

char UpperAscii(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }
char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// RFC 3986: ALPHA *( ALPHA / DIGIT / "+" / "-" / "." ) before the first ':'.
std::size_t SchemeLength(std::string_view uri) {
    const std::size_t colon = uri.find(':');
    if (colon == std::string_view::npos || colon == 0) return 0;
    const auto isAlpha = [](char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); };
    if (!isAlpha(uri[0])) return 0;
    for (std::size_t i = 1; i < colon; ++i) {
        const char c = uri[i];
        if (!isAlpha(c) && !(c >= '0' && c <= '9') && c != '+' && c != '-' && c != '.') return 0;
    }
    return colon;
}

constexpr std::array<std::string_view, 13> kNetworkSchemes = {
    "ipp", "ipps", "http", "https", "socket", "lpd", "dnssd", "mdns", "smb", "ipp14", "implicitclass", "driverless",
    "snmp"};

}  // namespace

std::string DeviceUriScheme(std::string_view deviceUri) {
    std::string scheme(deviceUri.substr(0, SchemeLength(deviceUri)));
    std::ranges::transform(scheme, scheme.begin(), LowerAscii);
    return scheme;
}

std::string PortNameFromDeviceUri(std::string_view deviceUri) {
    std::string port(deviceUri);
    std::transform(port.begin(), port.begin() + static_cast<std::ptrdiff_t>(SchemeLength(deviceUri)), port.begin(),
                   UpperAscii);
    return port;
}

bool IsNetworkDeviceUri(std::string_view deviceUri) {
    const std::string scheme = DeviceUriScheme(deviceUri);
    return std::ranges::find(kNetworkSchemes, scheme) != kNetworkSchemes.end();
}

bool ReportsOffline(std::span<const std::string> stateReasons) {
    return std::ranges::any_of(stateReasons, [](const std::string& reason) {
        return reason == "offline" || reason == "offline-report" || reason == "offline-warning" ||
               reason == "offline-error";
    });
}

QueueInfo ToQueueInfo(const CupsPrinterRecord& record, const UsbPresence& usbPresent) {
    QueueInfo info;
    info.name = record.name;
    info.driverName = record.makeAndModel;
    info.portName = PortNameFromDeviceUri(record.deviceUri);

    const bool usbAbsent = DeviceUriScheme(record.deviceUri) == "usb" && usbPresent && !usbPresent(record.deviceUri);
    if (record.state == kCupsPrinterStateStopped || ReportsOffline(record.stateReasons) || usbAbsent) {
        info.attributes |= kPrinterAttributeWorkOffline;
    }
    if ((record.printerType & kCupsPrinterRemote) != 0 || IsNetworkDeviceUri(record.deviceUri)) {
        info.attributes |= kPrinterAttributeNetwork;
    }
    return info;
}

}  // namespace zt40
