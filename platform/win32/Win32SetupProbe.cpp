#include "platform/win32/Win32SetupProbe.h"

#include "platform/os/FolderRights.h"

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

// The folder's access list decides; the fix is the one the program itself makes when it creates
// the folder, so an administrator's new start puts it right.
ProbeAnswer Win32SetupProbe::RecordFolder(const std::string& folder) {
    if (auto file = RecordFolderIsAFile(folder)) return std::move(*file);
    if (!MayCreateFilesIn(folder)) {
        return ProbeAnswer::Problem(
            Message::Of(ZT40_TR("Doctor", "the record folder %1 is missing or not writable"), {folder}),
            Message::Of(ZT40_TR("Doctor", "give Everyone full control of \"%1\" (or remove it and start the "
                                          "program once as an administrator)"),
                        {folder}));
    }
    return ProbeAnswer::Ok(Message::Of(ZT40_TR("Doctor", "the record folder %1 is writable"), {folder}));
}

}  // namespace zt40
