#pragma once
// The facts about this machine's setup that only the platform can see: installed files,
// the printer's USB device and who may use it, the record folder. Each answer carries its
// own finding and, for a problem, how the operator fixes it.
#include <optional>
#include <string>

#include "platform/Spooler.h"
#include "platform/Text.h"

namespace zt40 {

struct ProbeAnswer {
    enum class State { Ok, Problem, NotApplicable };
    State state = State::Ok;
    Message finding;
    Message fix;  // empty source for Ok

    static ProbeAnswer Ok(Message finding) { return {State::Ok, std::move(finding), {}}; }
    static ProbeAnswer Problem(Message finding, Message fix) { return {State::Problem, std::move(finding), std::move(fix)}; }
};

class ISetupProbe {
public:
    virtual ~ISetupProbe() = default;
    // The queue driver (PPD) and the raw pass-through filter that the spooler runs.
    virtual ProbeAnswer DriverFiles() = 0;
    // The queue's USB device is attached; when not, whether a ZT-40 is, under another address.
    virtual ProbeAnswer DeviceOnBus(const QueueInfo& queue) = 0;
    // The udev rule is installed and this user may read and write the device node.
    virtual ProbeAnswer DeviceAccess(const QueueInfo& queue) = 0;
    // Neither a kernel driver nor another program holds the printer interface.
    virtual ProbeAnswer InterfaceFree(const QueueInfo& queue) = 0;
    // This user may create files in the usage-record folder, which exists. Unless a system
    // answers otherwise, the file system's own access check answers, with the POSIX mend.
    virtual ProbeAnswer RecordFolder(const std::string& folder);
};

// A file where the record folder should be: its own problem, which no change of rights mends.
std::optional<ProbeAnswer> RecordFolderIsAFile(const std::string& folder);

}  // namespace zt40
