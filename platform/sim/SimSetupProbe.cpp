#include "platform/sim/SimSetupProbe.h"

namespace zt40 {

ProbeAnswer SimSetupProbe::DriverFiles() {
    return ProbeAnswer::Ok(Message::Of(ZT40_TR("Doctor", "the simulated queue needs no driver files")));
}

ProbeAnswer SimSetupProbe::DeviceOnBus(const QueueInfo&) {
    if (!m_printer.IsPlugged()) {
        return ProbeAnswer::Problem(Message::Of(ZT40_TR("Doctor", "the simulated printer is not plugged in")),
                                    Message::Of(ZT40_TR("Doctor", "plug it in (fault = none in the state file)")));
    }
    if (!m_printer.IsPowered()) {
        return ProbeAnswer::Problem(Message::Of(ZT40_TR("Doctor", "the simulated printer is switched off")),
                                    Message::Of(ZT40_TR("Doctor", "switch it on (fault = none in the state file)")));
    }
    return ProbeAnswer::Ok(Message::Of(ZT40_TR("Doctor", "the simulated printer is attached")));
}

ProbeAnswer SimSetupProbe::DeviceAccess(const QueueInfo&) {
    return ProbeAnswer::Ok(Message::Of(ZT40_TR("Doctor", "the simulated printer needs no device rights")));
}

ProbeAnswer SimSetupProbe::InterfaceFree(const QueueInfo&) {
    return ProbeAnswer::Ok(Message::Of(ZT40_TR("Doctor", "the printer interface is free")));
}

}  // namespace zt40
