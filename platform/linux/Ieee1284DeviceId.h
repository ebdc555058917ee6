#pragma once
// The IEEE-1284 device ID that a printer-class device reports ("MFG:...;MDL:...;SN:...;").
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "platform/linux/UsbBus.h"

namespace zt40 {

struct PrinterIdentity {
    std::string make;
    std::string model;
    std::string serial;  // empty when the source has none
};

// Make from MANUFACTURER or MFG, model from MODEL or MDL, serial from SERIALNUMBER, SERN or SN
// (the long key wins). Keys compare without regard to case; blanks around keys and values go.
PrinterIdentity ParseIeee1284Id(std::string_view deviceId);

// The ID text from a GET_DEVICE_ID reply: a two-byte length (most significant byte first,
// counting itself; some devices send it the other way round) and the text. Nothing when the
// reply is too short to name make and model or holds control characters.
std::optional<std::string> DeviceIdFromReply(std::span<const std::uint8_t> reply);

inline constexpr std::size_t kDeviceIdBufferSize = 1024;

// The printer-class GET_DEVICE_ID request on the device's printer interface, holding the
// interface only for the request.
UsbDeviceIdResult RequestIeee1284DeviceId(IUsbDeviceHandle& handle, std::uint8_t interfaceNumber,
                                          std::uint8_t alternateSetting);

}  // namespace zt40
