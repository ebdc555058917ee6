#include "platform/linux/InterfaceClaim.h"

namespace zt40 {

InterfaceClaim::InterfaceClaim(IUsbDeviceHandle& handle, std::uint8_t interfaceNumber)
    : m_handle(handle), m_interface(interfaceNumber) {
    if (m_handle.KernelDriver(m_interface) == KernelDriverState::Active) {
        m_detachStatus = m_handle.DetachKernelDriver(m_interface);
        m_detached = m_detachStatus == UsbStatus::Ok;
    }
    m_status = m_handle.ClaimInterface(m_interface);
}

InterfaceClaim::~InterfaceClaim() {
    if (m_status == UsbStatus::Ok) m_handle.ReleaseInterface(m_interface);
    if (m_detached) m_handle.AttachKernelDriver(m_interface);
}

}  // namespace zt40
