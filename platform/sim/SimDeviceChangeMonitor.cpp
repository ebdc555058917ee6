#include "platform/sim/SimDeviceChangeMonitor.h"

#include <sys/eventfd.h>
#include <unistd.h>

#include <cstdint>

namespace zt40 {

SimDeviceChangeMonitor::SimDeviceChangeMonitor(SimulatedZt40& printer, Notify notify)
    : m_printer(printer), m_notify(std::move(notify)), m_eventFd(eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC)) {
    if (m_eventFd < 0) return;
    // The printer's events arrive inside whatever call changed it; the notice waits for the
    // event loop, as the platform's would.
    m_subscription = m_printer.Subscribe([this](SimEvent) {
        const std::uint64_t one = 1;
        [[maybe_unused]] const auto written = write(m_eventFd, &one, sizeof one);
    });
}

SimDeviceChangeMonitor::~SimDeviceChangeMonitor() {
    if (m_subscription) m_printer.Unsubscribe(m_subscription);
    if (m_eventFd >= 0) close(m_eventFd);
}

int SimDeviceChangeMonitor::Dispatch() {
    std::uint64_t pending = 0;
    if (m_eventFd < 0 || read(m_eventFd, &pending, sizeof pending) != sizeof pending || pending == 0) return 0;
    if (m_notify) m_notify(kDeviceNodesChanged);
    return 1;
}

}  // namespace zt40
