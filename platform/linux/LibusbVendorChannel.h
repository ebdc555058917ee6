#pragma once
// Vendor SET and GET as USB control transfers to the printer's interface.
#include <cstdint>
#include <memory>
#include <optional>
#include <span>

#include "platform/DeviceAccess.h"
#include "platform/VendorChannel.h"
#include "platform/linux/InterfaceClaim.h"
#include "platform/linux/UsbBus.h"

namespace zt40 {

inline constexpr std::uint8_t kVendorSetRequestType = 0x41;  // host to device, vendor, interface
inline constexpr std::uint8_t kVendorGetRequestType = 0xC1;  // device to host, vendor, interface
// A healthy printer answers a request in about a millisecond. A wedged one must not hold
// the user-interface thread much past the command's own 5000 ms poll clock: two SETs
// before that clock starts and one GET that begins just before it runs out.
inline constexpr unsigned kVendorTransferTimeoutMs = 200;

// The setup packet for a request buffer: request code in byte 0, value in bytes 1-2 (low
// byte first), data stage from byte 3 on. Nothing when the buffer has no complete header or
// its data stage is longer than a control transfer can carry.
std::optional<ControlSetup> VendorSetSetup(std::span<const std::uint8_t> bytes, std::uint8_t interfaceNumber);
std::optional<ControlSetup> VendorGetSetup(std::span<const std::uint8_t> bytes, std::uint8_t interfaceNumber);

class LibusbVendorChannel final : public IVendorChannel {
public:
    // `report`, when given, learns why the latest request failed (or that it succeeded).
    LibusbVendorChannel(std::unique_ptr<IUsbDeviceHandle> handle, std::uint8_t interfaceNumber,
                        DeviceAccessReport* report = nullptr);

    bool VendorSet(std::span<const std::uint8_t> bytes) override;
    bool VendorGet(std::span<std::uint8_t> bytes) override;
    bool IsAlive() const override { return m_handle != nullptr && m_alive; }
    bool Close() override;
    // Claims the interface (detaching a kernel printer driver) once for all the requests of
    // a command: per request, a poll would cycle the kernel driver, and send a udev event,
    // hundreds of times a second.
    void BeginTransaction() override;
    void EndTransaction() override;

private:
    // Runs one transfer under the transaction's claim, or under a claim of its own when it
    // is sent outside a transaction, and notes a vanished device.
    template <typename Transfer>
    bool RunTransfer(Transfer&& transfer);

    std::unique_ptr<IUsbDeviceHandle> m_handle;
    std::uint8_t m_interface;
    bool m_alive = true;
    std::optional<InterfaceClaim> m_claim;
    DeviceAccessReport* m_report;
};

}  // namespace zt40
