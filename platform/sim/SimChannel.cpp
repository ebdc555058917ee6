#include "platform/sim/SimChannel.h"

namespace zt40 {

std::unique_ptr<SimChannel> SimChannel::Open(SimulatedZt40& printer) {
    if (!printer.Claim()) return nullptr;
    return std::make_unique<SimChannel>(OpenKey{}, printer, printer.Connection());
}

SimChannel::~SimChannel() {
    if (!m_closed) m_printer.Release(m_connection);
}

bool SimChannel::VendorSet(std::span<const std::uint8_t> bytes) { return IsAlive() && m_printer.HandleSet(bytes); }

bool SimChannel::VendorGet(std::span<std::uint8_t> bytes) { return IsAlive() && m_printer.HandleGet(bytes); }

bool SimChannel::IsAlive() const {
    return !m_closed && m_printer.IsPlugged() && m_printer.Connection() == m_connection;
}

bool SimChannel::Close() {
    if (m_closed) return true;
    if (m_printer.Faults().failClose) return false;
    m_printer.Release(m_connection);
    m_closed = true;
    return true;
}

}  // namespace zt40
