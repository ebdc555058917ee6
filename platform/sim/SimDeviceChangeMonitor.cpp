#include "platform/sim/SimDeviceChangeMonitor.h"

namespace zt40 {

SimDeviceChangeMonitor::SimDeviceChangeMonitor(SimulatedZt40& printer, Notify notify)
    : m_printer(printer), m_notify(std::move(notify)) {
    // The printer's events arrive inside whatever call changed it; the notice waits for the
    // owner's loop, as the platform's would.
    m_subscription = m_printer.Subscribe([this](SimEvent) { OnEvent(); });
}

SimDeviceChangeMonitor::~SimDeviceChangeMonitor() {
    if (m_subscription) m_printer.Unsubscribe(m_subscription);
}

void SimDeviceChangeMonitor::OnEvent() {
    m_pending.fetch_add(1);
    const std::lock_guard lock(m_wakeLock);
    if (m_wake) m_wake();
}

void SimDeviceChangeMonitor::SetWake(Wake wake) {
    const std::lock_guard lock(m_wakeLock);
    m_wake = std::move(wake);
    if (m_wake && m_pending.load() != 0) m_wake();
}

int SimDeviceChangeMonitor::Dispatch() {
    if (m_pending.exchange(0) == 0) return 0;
    if (m_notify) m_notify(kDeviceNodesChanged);
    return 1;
}

}  // namespace zt40
