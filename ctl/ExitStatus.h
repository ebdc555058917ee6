#pragma once
// zt40ctl's exit statuses, for scripts; every command uses these and --help lists them.
namespace zt40::ctl {

enum ExitStatus : int {
    kExitOk = 0,                  // the printer answered (or the command did what it was asked)
    kExitNoAnswer = 1,            // the printer did not answer, or another failure
    kExitBadArguments = 2,        // bad options, arguments or files
    kExitNoQueue = 3,             // no usable ZT-40 queue
    kExitSpoolerUnreachable = 4,  // the print spooler cannot be reached
    kExitNoPermission = 5,        // the printer's USB device may not be opened by this user
    kExitDeviceBusy = 6,          // another program holds the printer's USB device
    kExitNothingWritten = 7,      // restore: the printer's values were in range, nothing written
};

inline constexpr const char* kExitStatusHelp =
    "exit status:\n"
    "  0  the printer answered (or the command succeeded)\n"
    "  1  the printer did not answer, or another failure\n"
    "  2  bad options, arguments or files\n"
    "  3  no usable ZT-40 queue\n"
    "  4  the print spooler cannot be reached\n"
    "  5  no permission to open the printer's USB device\n"
    "  6  the printer's USB device is in use by another program\n"
    "  7  restore: the printer's values were in range, nothing was written\n";

}  // namespace zt40::ctl
