#include "platform/linux/LibusbVendorChannel.h"

#include <limits>

#include "platform/WireFormat.h"
#include "platform/linux/InterfaceClaim.h"
#include "platform/linux/LibusbDeviceOpener.h"

namespace zt40 {

namespace {

using wire::kHeaderSize;

std::optional<ControlSetup> SetupFor(std::uint8_t requestType, std::span<const std::uint8_t> bytes,
                                     std::uint8_t interfaceNumber) {
    if (bytes.size() < kHeaderSize) return std::nullopt;
    const std::size_t dataSize = bytes.size() - kHeaderSize;
    if (dataSize > std::numeric_limits<std::uint16_t>::max()) return std::nullopt;
    ControlSetup setup;
    setup.requestType = requestType;
    setup.request = bytes[0];
    setup.value = static_cast<std::uint16_t>(bytes[1] | (bytes[2] << 8));
    setup.index = interfaceNumber;
    setup.length = static_cast<std::uint16_t>(dataSize);
    return setup;
}

}  // namespace

std::optional<ControlSetup> VendorSetSetup(std::span<const std::uint8_t> bytes, std::uint8_t interfaceNumber) {
    return SetupFor(kVendorSetRequestType, bytes, interfaceNumber);
}

std::optional<ControlSetup> VendorGetSetup(std::span<const std::uint8_t> bytes, std::uint8_t interfaceNumber) {
    return SetupFor(kVendorGetRequestType, bytes, interfaceNumber);
}

LibusbVendorChannel::LibusbVendorChannel(std::unique_ptr<IUsbDeviceHandle> handle, std::uint8_t interfaceNumber,
                                         DeviceAccessReport* report)
    : m_handle(std::move(handle)), m_interface(interfaceNumber), m_report(report) {}

void LibusbVendorChannel::BeginTransaction() {
    if (!IsAlive() || m_claim) return;
    m_claim.emplace(*m_handle, m_interface);
    if (m_claim->DeviceGone()) {
        m_claim.reset();
        m_alive = false;
        if (m_report) m_report->Record(DeviceAccessFailure::DeviceNotFound);
    }
}

void LibusbVendorChannel::EndTransaction() { m_claim.reset(); }

template <typename Transfer>
bool LibusbVendorChannel::RunTransfer(Transfer&& transfer) {
    if (!IsAlive()) return false;
    std::optional<InterfaceClaim> ownClaim;
    if (!m_claim) {
        ownClaim.emplace(*m_handle, m_interface);
        if (ownClaim->DeviceGone()) {
            m_alive = false;
            if (m_report) m_report->Record(DeviceAccessFailure::DeviceNotFound);
            return false;
        }
    }
    // When the claim failed (the spooler's backend is printing) the request is still tried:
    // the kernel refuses it while another program holds the interface, and the command
    // then fails like one sent to a busy printer, to be retried by the next poll.
    const UsbTransferResult result = transfer();
    if (result.status == UsbStatus::NoDevice) m_alive = false;
    if (m_report) m_report->Record(TransferFailureOf(result.status));
    return result.status == UsbStatus::Ok;
}

bool LibusbVendorChannel::VendorSet(std::span<const std::uint8_t> bytes) {
    const auto setup = VendorSetSetup(bytes, m_interface);
    if (!setup) return false;
    const auto data = bytes.subspan(kHeaderSize);
    std::size_t sent = 0;
    const bool ok = RunTransfer([&] {
        auto result = m_handle->ControlOut(*setup, data, kVendorTransferTimeoutMs);
        sent = result.transferred;
        return result;
    });
    return ok && sent == data.size();
}

bool LibusbVendorChannel::VendorGet(std::span<std::uint8_t> bytes) {
    const auto setup = VendorGetSetup(bytes, m_interface);
    if (!setup) return false;
    // How much the device really answered is not reported: the data area is read as it stands.
    return RunTransfer([&] { return m_handle->ControlIn(*setup, bytes.subspan(kHeaderSize), kVendorTransferTimeoutMs); });
}

bool LibusbVendorChannel::Close() {
    m_claim.reset();
    m_handle.reset();
    return true;
}

}  // namespace zt40
