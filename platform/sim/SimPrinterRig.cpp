#include "platform/sim/SimPrinterRig.h"


namespace zt40 {

SimPrinterRig::SimPrinterRig(const SimPrinterSetup& setup, std::string_view queueName)
    : m_printer(setup.serial), m_queueName(queueName) {
    ApplySetup(m_printer, setup);
    m_opener.Attach(m_printer);
    InstallQueue(true);
}

void SimPrinterRig::InstallQueue(bool installed) {
    if (installed == m_queueInstalled) return;
    m_queueInstalled = installed;
    if (!installed) {
        m_spooler.RemoveQueue(m_queueName);
        return;
    }
    QueueInfo queue;
    queue.name = m_queueName;
    queue.portName = SimPortName(m_printer.Serial());
    queue.driverName = std::string(kPrinterDriverName);
    m_spooler.AddQueue(std::move(queue), [this] {
        return m_printer.IsReachable() && !m_queueOffline ? std::uint32_t{0} : kPrinterAttributeWorkOffline;
    });
}

}  // namespace zt40
