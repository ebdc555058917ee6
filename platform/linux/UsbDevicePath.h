#pragma once
// The re-openable device path of a USB printer: what stays the same when the printer is
// switched off and on again. Never the kernel's device number, which changes every time.
//   usb:VVVV:PPPP:serial=SERIAL   the device has a serial number (escaped like a URI)
//   usb:VVVV:PPPP:port=B-P.P.P    it has none: its bus and the hub ports leading to it
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/linux/UsbBus.h"

namespace zt40 {

struct UsbDevicePath {
    std::uint16_t vendorId = 0;
    std::uint16_t productId = 0;
    std::string serial;  // empty: identified by bus and port chain
    std::uint8_t busNumber = 0;
    std::vector<std::uint8_t> portChain;
};

// The identity of a listed device: by serial when it has one, else by where it is plugged in.
UsbDevicePath DevicePathOf(const UsbDeviceRecord& device);

std::string FormatDevicePath(const UsbDevicePath& path);

// Nothing for text that FormatDevicePath cannot have written.
std::optional<UsbDevicePath> ParseDevicePath(std::string_view text);

bool IsSameDevice(const UsbDevicePath& path, const UsbDeviceRecord& device);

// "1-1.4" as the kernel names the device's place.
std::string FormatPortLocation(std::uint8_t busNumber, const std::vector<std::uint8_t>& portChain);

}  // namespace zt40
