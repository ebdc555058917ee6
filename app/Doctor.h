#pragma once
// The checks an operator runs, in the order one would, when the printer is not reached: the
// spooler, the queue, the driver files, the USB device, its access rights and holders, the
// printer's own answer, the record folder. zt40ctl doctor prints every line; the main window
// shows the first problem as its status-line reason.
#include <optional>
#include <string>
#include <vector>

#include "platform/DataFolderPlatform.h"
#include "platform/DeviceAccess.h"
#include "platform/SetupProbe.h"
#include "platform/Spooler.h"
#include "platform/Text.h"
#include "session/PrinterSession.h"

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
    PrinterSession& session;  // its queue rule and device; the device is closed again after
    const DeviceAccessReport* access;  // why an open failed, when the platform tells
    IDataFolderPlatform& dataFolder;
    std::optional<std::string> queue = std::nullopt;  // --queue: the only queue looked at
};

// Opens the device through the chosen queue (closing whatever was open) for the status check.
DoctorReport RunDoctor(const DoctorPlatform& platform);

// "ok      spooler  the print spooler answers", with " -- fix: ..." after a problem.
std::string FormatCheckLine(const DoctorCheck& check);

}  // namespace zt40
