#include "device/CUsbPrintPort.h"

namespace zt40 {

CUsbPrintPort::CUsbPrintPort(IDeviceFinder& finder, IDeviceOpener& opener) : m_finder(finder), m_opener(opener) {}

CUsbPrintPort::~CUsbPrintPort() { Close(); }

bool CUsbPrintPort::Close() {
    if (!m_channel) return true;
    if (!m_channel->Close()) return false;
    m_channel.reset();
    m_devicePath.clear();
    m_queueName.clear();
    return true;
}

bool CUsbPrintPort::Reopen() {
    if (m_devicePath.empty()) return false;
    if (m_channel) {
        m_channel->Close();
        m_channel.reset();
    }
    m_channel = m_opener.OpenDevice(m_devicePath);
    return m_channel != nullptr;
}

bool CUsbPrintPort::OpenForPrinter(std::string_view queueName) {
    auto path = m_finder.FindDevicePath(queueName);
    if (!path) return false;
    m_queueName = queueName;
    m_devicePath = std::move(*path);
    m_channel = m_opener.OpenDevice(m_devicePath);
    return m_channel != nullptr;
}

bool CUsbPrintPort::VendorSet(std::span<const std::uint8_t> bytes) {
    return m_channel && m_channel->VendorSet(bytes);
}

bool CUsbPrintPort::VendorGet(std::span<std::uint8_t> bytes) {
    return m_channel && m_channel->VendorGet(bytes);
}

// The channel is pinned for the transaction: nothing reopens the port while a command runs.
CUsbPrintPort::Transaction::Transaction(CUsbPrintPort& port) : m_channel(port.m_channel.get()) {
    if (m_channel) m_channel->BeginTransaction();
}

CUsbPrintPort::Transaction::~Transaction() {
    if (m_channel) m_channel->EndTransaction();
}

}  // namespace zt40
