#pragma once
// zt40ctl's exit statuses, for scripts; every command uses these and --help lists them.
#include <cstdio>
#include <string>

#include "platform/DeviceAccess.h"
#include "wiring/Wiring.h"

namespace zt40::ctl {

enum ExitStatus : int {
    kExitOk = 0,                  // the printer answered (or the command did what it was asked)
    kExitNoAnswer = 1,            // the printer did not answer, the output could not be written, or another failure
    kExitBadArguments = 2,        // bad options, arguments or files
    kExitNoQueue = 3,             // no usable ZT-40 queue, or none of the name given
    kExitSpoolerUnreachable = 4,  // the print spooler cannot be reached or does not answer
    kExitNoPermission = 5,        // the printer's USB device may not be opened by this user
    kExitDeviceBusy = 6,          // another program holds the printer's USB device
    kExitNothingWritten = 7,      // restore: the printer's values were in range, nothing written
    kExitRecordFile = 8,          // the usage record could not be read or written
};

inline constexpr const char* kExitStatusHelp =
    "exit status:\n"
    "  0  the printer answered (or the command succeeded)\n"
    "  1  the printer did not answer, standard output could not be written, or another failure\n"
    "  2  bad options, arguments or files (an option twice, a leading zero, an unknown job id)\n"
    "  3  no usable ZT-40 queue, or no queue of the name given with --queue\n"
    "  4  the print spooler cannot be reached or does not answer\n"
    "  5  no permission to open the printer's USB device\n"
    "  6  the printer's USB device is in use by another program\n"
    "  7  restore: the printer's values were in range, nothing was written\n"
    "  8  the usage record could not be read or written\n";

inline int ExitStatusOf(QueueChoiceStatus status) {
    const bool spoolerDown =
        status == QueueChoiceStatus::SpoolerUnreachable || status == QueueChoiceStatus::SpoolerNotAnswering;
    return spoolerDown ? kExitSpoolerUnreachable : kExitNoQueue;
}

// Only the failures a script can act on get their own status.
inline int ExitStatusOf(DeviceAccessFailure failure) {
    switch (failure) {
    case DeviceAccessFailure::NoPermission:
        return kExitNoPermission;
    case DeviceAccessFailure::Busy:
        return kExitDeviceBusy;
    default:
        return kExitNoAnswer;
    }
}

// A simulation file that cannot be loaded: its errors name file and line, as a compiler's do.
inline int BadSimulationFile(const std::string& error) {
    std::fprintf(stderr, "%s%s", error.c_str(), error.ends_with('\n') ? "" : "\n");
    return kExitBadArguments;
}

// A platform that could not be wired: a bad simulation file as above, anything else said
// after the program's name.
inline int WiringFailed(const WiredPlatform& wired) {
    if (wired.exitStatus == kExitBadArguments) return BadSimulationFile(wired.error);
    std::fprintf(stderr, "zt40ctl: %s%s", wired.error.c_str(), wired.error.ends_with('\n') ? "" : "\n");
    return wired.exitStatus;
}

}  // namespace zt40::ctl
