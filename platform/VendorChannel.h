#pragma once
// An open printer-class device that carries vendor requests: the "handle" of the port.
#include <cstdint>
#include <memory>
#include <span>
#include <string_view>

namespace zt40 {

class IVendorChannel {
public:
    virtual ~IVendorChannel() = default;

    // One vendor SET: bytes[0] is the request code, bytes[1..2] the request value,
    // the rest is delivered to the device as the data stage.
    virtual bool VendorSet(std::span<const std::uint8_t> bytes) = 0;

    // One vendor GET: bytes[0..2] carry request code and value; the device's answer
    // is written over bytes[3..]. What the device really returned is not reported.
    virtual bool VendorGet(std::span<std::uint8_t> bytes) = 0;

    // False once the device behind the handle is known to be gone (unplugged).
    virtual bool IsAlive() const = 0;

    // Releases the device. False when the platform refused; the channel then stays open.
    virtual bool Close() = 0;

    // Brackets the requests of one command. A platform that must take the device from
    // another holder for each use does so once here, not around every request of a poll.
    virtual void BeginTransaction() {}
    virtual void EndTransaction() {}
};

// Opens a device path exclusively for reading and writing (the platform's CreateFile).
class IDeviceOpener {
public:
    virtual ~IDeviceOpener() = default;
    // nullptr is the invalid handle.
    virtual std::unique_ptr<IVendorChannel> OpenDevice(std::string_view devicePath) = 0;
};

}  // namespace zt40
