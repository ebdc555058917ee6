#pragma once
// The checks an operator runs, in the order one would, when the printer is not reached: the
// spooler, the queue, the driver files, the USB device, its access rights and holders, the
// printer's own answer, the record folder. zt40ctl doctor prints every line; the main window
// shows the first problem as its status-line reason.
#include <optional>
#include <string>
#include <vector>

#include "device/CHeadDevice.h"
#include "platform/DataFolderPlatform.h"
#include "platform/DeviceAccess.h"
#include "platform/SetupProbe.h"
#include "platform/Spooler.h"
#include "platform/Text.h"

namespace zt40 {

struct DoctorCheck {
    const char* name;  // a short fixed word, the same in both editions: "spooler", "queue", ...
    ProbeAnswer answer;
    bool skipped = false;  // not run: an earlier problem decides it
};

struct DoctorReport {
    std::vector<DoctorCheck> checks;
    std::string queueName;  // the queue the program would use; empty when none

    bool AllPassed() const;
    // The first problem, for the status line; nothing when every check passed.
    const DoctorCheck* FirstProblem() const;
};

struct DoctorPlatform {
    ISpooler& spooler;
    ISetupProbe& probe;
    CHeadDevice& device;
    const DeviceAccessReport* access;  // why an open failed, when the platform tells
    IDataFolderPlatform& dataFolder;
};

// What the window's poll learnt on its way to the printer.
struct LinkState {
    bool spoolerAnswered = false;
    bool queueFound = false;
    bool deviceOpened = false;
    DeviceAccessFailure access = DeviceAccessFailure::None;
    SpoolerFailure spoolerFailure = SpoolerFailure::Unreachable;  // why it did not answer
};

// The first thing wrong on the way to the printer, in the operator's words; nothing when the
// connect request already says it all (no queue, printer not found). The window's status line
// shows it on every poll; the doctor's printer check words a failed open with it.
std::optional<Message> LinkProblem(const LinkState& state);

// Opens the device through the chosen queue (closing whatever was open) for the status check.
DoctorReport RunDoctor(const DoctorPlatform& platform);

// "ok      spooler  the print spooler answers", with " -- fix: ..." after a problem.
std::string FormatCheckLine(const DoctorCheck& check);

}  // namespace zt40
