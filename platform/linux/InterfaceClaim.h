#pragma once
// Holds the printer interface for one transaction only, so that the spooler's own USB
// backend can claim it between our requests and print the adjustment jobs.
#include <cstdint>

#include "platform/linux/UsbBus.h"

namespace zt40 {

class InterfaceClaim {
public:
    // Detaches a bound kernel printer driver first; it is attached again on release.
    InterfaceClaim(IUsbDeviceHandle& handle, std::uint8_t interfaceNumber);
    ~InterfaceClaim();
    InterfaceClaim(const InterfaceClaim&) = delete;
    InterfaceClaim& operator=(const InterfaceClaim&) = delete;

    // Ok when the interface is ours until destruction.
    UsbStatus Status() const { return m_status; }
    bool DeviceGone() const { return m_status == UsbStatus::NoDevice || m_detachStatus == UsbStatus::NoDevice; }

private:
    IUsbDeviceHandle& m_handle;
    std::uint8_t m_interface;
    bool m_detached = false;
    UsbStatus m_detachStatus = UsbStatus::Ok;
    UsbStatus m_status = UsbStatus::Other;
};

}  // namespace zt40
