#pragma once
// The narrow view of the USB bus that discovery and the vendor channel need. The real bus
// (libudev for listing, libusb for transfers) stays small; everything that decides lives
// above this seam and runs against fakes in the tests.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace zt40 {

enum class UsbStatus {
    Ok,
    NoDevice,      // the device went away (unplugged, switched off)
    NotFound,      // no such device, interface or kernel driver
    Access,        // no permission
    Busy,          // another holder (a kernel driver or another program) has it
    Timeout,
    Pipe,          // the device stalled the request
    NotSupported,
    Other,
};

// One printer-class device as the bus lists it. Listing reads only what the kernel keeps
// (descriptors and cached strings): it sends nothing to the device.
struct UsbDeviceRecord {
    std::uint16_t vendorId = 0;
    std::uint16_t productId = 0;
    std::uint8_t busNumber = 0;
    std::vector<std::uint8_t> portChain;  // hub ports from the root, e.g. {1, 4} for "1-1.4"
    std::uint8_t deviceAddress = 0;       // the kernel's number: changes at every replug
    std::uint8_t printerInterface = 0;    // bInterfaceNumber of the printer-class interface
    std::uint8_t alternateSetting = 0;
    std::string manufacturer;             // string descriptors; empty when the device has none
    std::string product;
    std::string serial;
};

struct ControlSetup {
    std::uint8_t requestType = 0;
    std::uint8_t request = 0;
    std::uint16_t value = 0;
    std::uint16_t index = 0;
    std::uint16_t length = 0;
};

struct UsbTransferResult {
    UsbStatus status = UsbStatus::Other;
    std::size_t transferred = 0;
};

enum class KernelDriverState { Inactive, Active, Unknown };

// An open device. Destruction closes it.
class IUsbDeviceHandle {
public:
    virtual ~IUsbDeviceHandle() = default;
    virtual UsbTransferResult ControlOut(const ControlSetup& setup, std::span<const std::uint8_t> data,
                                         unsigned timeoutMs) = 0;
    virtual UsbTransferResult ControlIn(const ControlSetup& setup, std::span<std::uint8_t> data,
                                        unsigned timeoutMs) = 0;
    virtual UsbStatus ClaimInterface(std::uint8_t interfaceNumber) = 0;
    virtual UsbStatus ReleaseInterface(std::uint8_t interfaceNumber) = 0;
    virtual KernelDriverState KernelDriver(std::uint8_t interfaceNumber) = 0;
    virtual UsbStatus DetachKernelDriver(std::uint8_t interfaceNumber) = 0;
    virtual UsbStatus AttachKernelDriver(std::uint8_t interfaceNumber) = 0;
};

struct UsbOpenResult {
    std::unique_ptr<IUsbDeviceHandle> handle;  // null on failure
    UsbStatus status = UsbStatus::Other;
};

struct UsbDeviceIdResult {
    std::optional<std::string> deviceId;  // the IEEE-1284 device ID text, without its length prefix
    UsbStatus status = UsbStatus::Other;
};

class IUsbBus {
public:
    virtual ~IUsbBus() = default;
    // Every attached device that has a printer-class interface, in the bus's order.
    virtual std::vector<UsbDeviceRecord> ListPrinterDevices() = 0;
    // Asks the device for its IEEE-1284 device ID; may open the device briefly.
    virtual UsbDeviceIdResult ReadDeviceId(const UsbDeviceRecord& device) = 0;
    // Opens the device for this program alone (a second opener gets Busy).
    virtual UsbOpenResult Open(const UsbDeviceRecord& device) = 0;
};

}  // namespace zt40
