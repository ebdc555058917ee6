#pragma once
// Which attached USB device a queue's device URI names.
#include <optional>
#include <string>
#include <string_view>

#include "platform/linux/Ieee1284DeviceId.h"
#include "platform/linux/UsbBus.h"
#include "platform/UsbDeviceUri.h"

namespace zt40 {

// "Make Model", or the model alone when it already begins with the make.
std::string DescriptionOf(const PrinterIdentity& identity);

// Make and model without regard to case (the spooler drops a leading make from the model);
// the serial exactly, when the URI names one; a URI without serial accepts any.
bool IdentityMatchesUri(const PrinterIdentity& identity, const UsbDeviceUri& uri);

struct PrinterSearch {
    std::optional<UsbDeviceRecord> device;
    std::string description;        // of the identity that matched
    bool permissionDenied = false;  // some printer could not be asked for its ID: no permission
};

// One scan of the bus. A device matches by its string descriptors or, failing that, by its
// IEEE-1284 device ID; with a driver name, the matching identity's description must also
// equal it without regard to case. The first device in the bus's order wins.
PrinterSearch FindUriPrinter(IUsbBus& bus, const UsbDeviceUri& uri,
                             std::optional<std::string_view> driverName = std::nullopt);

}  // namespace zt40
