#pragma once
// Builds the platform pieces a command needs: simulated ones with --simulate, real ones otherwise.
// Each function here is shared by several commands; add one when a second command needs it.
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "ctl/Command.h"
#include "device/CHeadDevice.h"
#include "platform/Clock.h"
#include "platform/Spooler.h"

namespace zt40::ctl {

// A device ready to be opened, with the clock that bounds a command's waits and the
// platform pieces behind both, all kept alive as long as the link.
class DeviceLink {
public:
    virtual ~DeviceLink() = default;
    virtual CHeadDevice& Device() = 0;
    virtual IClock& Clock() = 0;
    // The print queue the device is opened through.
    virtual const std::string& QueueName() const = 0;
    // Why the latest open failed, in the operator's words; empty when it did not fail.
    virtual std::string_view AccessHint() const = 0;
};

struct WiredLink {
    std::unique_ptr<DeviceLink> link;  // null on failure
    std::string error;                 // why, in one or more lines
    int exitStatus = 0;                // for the failure: 2 for bad options or files, 1 otherwise
};

// The queue is --queue NAME when given, otherwise the first queue that the main window's
// matching rule accepts. With --simulate[=FILE] the printer is a simulated ZT-40; with
// --device PATH the USB device at that path, whatever queue it belongs to.
WiredLink WireDeviceLink(const GlobalOptions& options);

// Closes whatever was open and opens the link's queue with request index 0 and 32 data bytes.
bool OpenDevice(DeviceLink& link);

// The spooler the print commands write to: with --simulate[=FILE] the simulated printer's
// spooler (its queue offline while that printer is unplugged or off), otherwise CUPS.
// Null when the simulation file cannot be loaded; the reason is already on standard error.
std::unique_ptr<ISpooler> MakeSpooler(const GlobalOptions& options);

// What to tell the operator when ChooseQueue finds nothing; `command` names the command, if any.
std::string NoQueueText(std::string_view command = {});

// The queue named by --queue, or the first that the main window's matching rule accepts.
std::optional<std::string> ChooseQueue(ISpooler& spooler, const GlobalOptions& options);

}  // namespace zt40::ctl
