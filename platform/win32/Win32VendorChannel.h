#pragma once
// The printer-class device opened by its path, carrying vendor SET and GET requests as the
// driver's device controls.
#include <memory>
#include <string_view>

#include "platform/DeviceAccess.h"
#include "platform/VendorChannel.h"
#include "platform/win32/DeviceIo.h"

namespace zt40 {

class Win32VendorChannel final : public IVendorChannel {
public:
    // Takes the open handle.
    Win32VendorChannel(IDeviceIo& io, HANDLE handle) : m_io(io), m_handle(handle) {}
    ~Win32VendorChannel() override;
    Win32VendorChannel(const Win32VendorChannel&) = delete;
    Win32VendorChannel& operator=(const Win32VendorChannel&) = delete;

    bool VendorSet(std::span<const std::uint8_t> bytes) override;
    bool VendorGet(std::span<std::uint8_t> bytes) override;
    // The driver tells of a vanished device only by failing the next request.
    bool IsAlive() const override { return m_handle != INVALID_HANDLE_VALUE; }
    bool Close() override;

private:
    IDeviceIo& m_io;
    HANDLE m_handle;
};

// Opens the device exclusively (share mode 0) for reading and writing.
// Why an open failed goes to `report` when one is given.
class Win32DeviceOpener final : public IDeviceOpener {
public:
    explicit Win32DeviceOpener(IDeviceIo& io = SystemDeviceIo(), DeviceAccessReport* report = nullptr)
        : m_io(io), m_report(report) {}
    std::unique_ptr<IVendorChannel> OpenDevice(std::string_view devicePath) override;

private:
    IDeviceIo& m_io;
    DeviceAccessReport* m_report;
};

}  // namespace zt40
