#pragma once
// Whether the USB printer that a queue's device URI names is on the bus now. One bus scan
// per call and no request to a device already asked once, so it can run every 500 ms.
#include <string_view>

#include "platform/linux/UsbBus.h"

namespace zt40 {

bool IsUsbDevicePresent(IUsbBus& bus, std::string_view deviceUri);

// On the machine's own bus (shared by the process; false when USB cannot be reached at all).
bool IsUsbDevicePresent(std::string_view deviceUri);

}  // namespace zt40
