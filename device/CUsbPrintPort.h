#pragma once
// The open printer-class device: its handle, the path it was opened from and the
// name of the print queue it belongs to.
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "platform/DeviceFinder.h"
#include "platform/VendorChannel.h"

namespace zt40 {

class CUsbPrintPort {
public:
    CUsbPrintPort(IDeviceFinder& finder, IDeviceOpener& opener);
    virtual ~CUsbPrintPort();
    CUsbPrintPort(const CUsbPrintPort&) = delete;
    CUsbPrintPort& operator=(const CUsbPrintPort&) = delete;

    bool Close();
    bool Reopen();
    bool OpenForPrinter(std::string_view queueName);

    bool VendorSet(std::span<const std::uint8_t> bytes);
    bool VendorGet(std::span<std::uint8_t> bytes);

    // The requests of one command, from its first SET to its last poll; ends on destruction.
    class Transaction {
    public:
        explicit Transaction(CUsbPrintPort& port);
        ~Transaction();
        Transaction(const Transaction&) = delete;
        Transaction& operator=(const Transaction&) = delete;

    private:
        IVendorChannel* m_channel;
    };

    // The handle counts as invalid when closed and once its device has gone away.
    bool IsHandleValid() const { return m_channel && m_channel->IsAlive(); }
    bool IsOpen() const { return m_channel != nullptr; }
    const std::string& QueueName() const { return m_queueName; }
    const std::string& DevicePath() const { return m_devicePath; }

private:
    IDeviceFinder& m_finder;
    IDeviceOpener& m_opener;
    std::unique_ptr<IVendorChannel> m_channel;  // null is the invalid handle
    std::string m_queueName;
    std::string m_devicePath;
};

}  // namespace zt40
