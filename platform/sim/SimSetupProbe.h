#pragma once
// The simulator's setup as zt40ctl doctor sees it: no files or device rights are needed;
// the simulated printer is attached while it is plugged in and switched on.
#include "platform/SetupProbe.h"
#include "platform/sim/SimulatedZt40.h"

namespace zt40 {

class SimSetupProbe final : public ISetupProbe {
public:
    explicit SimSetupProbe(const SimulatedZt40& printer) : m_printer(printer) {}

    ProbeAnswer DriverFiles() override;
    ProbeAnswer DeviceOnBus(const QueueInfo& queue) override;
    ProbeAnswer DeviceAccess(const QueueInfo& queue) override;
    ProbeAnswer InterfaceFree(const QueueInfo& queue) override;

private:
    const SimulatedZt40& m_printer;
};

}  // namespace zt40
