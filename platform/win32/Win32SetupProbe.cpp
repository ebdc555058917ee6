#include "platform/win32/Win32SetupProbe.h"

#include "platform/RecordFolderAccess.h"

namespace zt40 {

ProbeAnswer Win32SetupProbe::DriverFiles() {
    return ProbeAnswer::Ok(Message::Of(ZT40_TR("Doctor", "the printer's driver is installed with its queue")));
}

ProbeAnswer Win32SetupProbe::DeviceOnBus(const QueueInfo& queue) {
    if (const auto path = m_finder.FindDevicePath(queue.name)) {
        return ProbeAnswer::Ok(Message::Of(ZT40_TR("Doctor", "the queue's USB device is registered as %1"), {*path}));
    }
    return ProbeAnswer::Problem(
        Message::Of(ZT40_TR("Doctor", "no USB printer device is registered for the port %1"), {queue.portName}),
        Message::Of(ZT40_TR("Doctor", "connect the printer and switch it on")));
}

// The exclusive open of the status check tells whether the device can be used.
ProbeAnswer Win32SetupProbe::DeviceAccess(const QueueInfo&) {
    return {ProbeAnswer::State::NotApplicable, Message::Of(ZT40_TR("Doctor", "device rights come with the driver")), {}};
}

ProbeAnswer Win32SetupProbe::InterfaceFree(const QueueInfo&) {
    return {ProbeAnswer::State::NotApplicable,
            Message::Of(ZT40_TR("Doctor", "the printer's status check shows whether another program holds it")),
            {}};
}

ProbeAnswer Win32SetupProbe::RecordFolder(const std::string& folder) { return WritableRecordFolder(folder); }

}  // namespace zt40
