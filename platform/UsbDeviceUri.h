#pragma once
// The spooler's device URI of a USB queue: usb://MAKE/MODEL?serial=SERIAL[&interface=N],
// with the percent escapes the spooler writes.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zt40 {

struct UsbDeviceUri {
    std::string make;
    std::string model;
    std::optional<std::string> serial;
    std::optional<std::uint8_t> interfaceNumber;
};

// %XX escapes decoded; nothing for a truncated or non-hex escape.
std::optional<std::string> PercentDecode(std::string_view text);

// The scheme compares without regard to case: the spooler reports a queue's port as
// "USB://...". Nothing for any other scheme, a missing make or model, or a bad escape.
std::optional<UsbDeviceUri> ParseUsbDeviceUri(std::string_view uri);

}  // namespace zt40
