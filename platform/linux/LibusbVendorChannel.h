#pragma once
// Vendor SET and GET as USB control transfers to the printer's interface.
#include <cstdint>
#include <memory>
#include <optional>
#include <span>

#include "platform/VendorChannel.h"
#include "platform/linux/UsbBus.h"

namespace zt40 {

inline constexpr std::uint8_t kVendorSetRequestType = 0x41;  // host to device, vendor, interface
inline constexpr std::uint8_t kVendorGetRequestType = 0xC1;  // device to host, vendor, interface
// A dead or wedged device must not hang the user-interface thread for long.
inline constexpr unsigned kVendorTransferTimeoutMs = 1000;

// The setup packet for a request buffer: request code in byte 0, value in bytes 1-2 (low
// byte first), data stage from byte 3 on. Nothing when the buffer has no complete header or
// its data stage is longer than a control transfer can carry.
std::optional<ControlSetup> VendorSetSetup(std::span<const std::uint8_t> bytes, std::uint8_t interfaceNumber);
std::optional<ControlSetup> VendorGetSetup(std::span<const std::uint8_t> bytes, std::uint8_t interfaceNumber);

class LibusbVendorChannel final : public IVendorChannel {
public:
    LibusbVendorChannel(std::unique_ptr<IUsbDeviceHandle> handle, std::uint8_t interfaceNumber);

    bool VendorSet(std::span<const std::uint8_t> bytes) override;
    bool VendorGet(std::span<std::uint8_t> bytes) override;
    bool IsAlive() const override { return m_handle != nullptr && m_alive; }
    bool Close() override;

private:
    // Claims the interface around one transfer and notes a vanished device.
    template <typename Transfer>
    bool RunTransaction(Transfer&& transfer);

    std::unique_ptr<IUsbDeviceHandle> m_handle;
    std::uint8_t m_interface;
    bool m_alive = true;
};

}  // namespace zt40
