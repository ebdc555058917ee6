#pragma once
// Why the printer's USB device could not be reached, in a form the main window can show:
// the operator needs to tell "not plugged in" from "plugged in but not ours to open".
#include <string>

#include "platform/Spooler.h"
#include "platform/Text.h"

namespace zt40 {

enum class DeviceAccessFailure {
    None,            // the last attempt succeeded
    QueueNotFound,   // the spooler could not describe the queue
    DeviceNotFound,  // no attached device belongs to the queue (unplugged, switched off, other printer)
    NoPermission,    // the device is there but this user may not open it
    Busy,            // the device is there but another program holds it
    OpenFailed,      // the device is there but opening it failed for another reason
    NotAnswering,    // open, but a request timed out or was stalled
};

// One line for the status area; a text without source for None.
constexpr Text DeviceAccessHint(DeviceAccessFailure failure) {
    switch (failure) {
    case DeviceAccessFailure::None:
        return {};
    case DeviceAccessFailure::QueueNotFound:
        return ZT40_TR("DeviceAccess", "The printer's queue cannot be read from the print spooler.");
    case DeviceAccessFailure::DeviceNotFound:
        return ZT40_TR("DeviceAccess", "The ZT-40 is not connected or not switched on.");
    case DeviceAccessFailure::NoPermission:
        return ZT40_TR("DeviceAccess",
                       "The ZT-40 is connected but its USB device cannot be opened: no permission "
                       "(install the udev rule, then reconnect the printer).");
    case DeviceAccessFailure::Busy:
        return ZT40_TR("DeviceAccess", "The ZT-40 is connected but its USB device is in use by another program.");
    case DeviceAccessFailure::OpenFailed:
        return ZT40_TR("DeviceAccess", "The ZT-40 is connected but its USB device cannot be opened.");
    case DeviceAccessFailure::NotAnswering:
        return ZT40_TR("DeviceAccess", "The ZT-40 is connected but does not answer: switch it off and on again.");
    }
    return {};
}

// The spooler did not answer the list of its queues at all: not "no ZT-40 queue", but no
// way to know.
inline constexpr Text kSpoolerUnreachable =
    ZT40_TR("DeviceAccess", "The print spooler cannot be reached: it is not running or refuses the connection.");
// It took the connection but answered nothing, or nothing it should say: starting it again
// mends it, naming a queue does not.
inline constexpr Text kSpoolerNotAnswering =
    ZT40_TR("DeviceAccess", "The print spooler does not answer: restart it (sudo systemctl restart cups).");

constexpr Text SpoolerFailureHint(SpoolerFailure failure) {
    return failure == SpoolerFailure::NotAnswering ? kSpoolerNotAnswering : kSpoolerUnreachable;
}

// Shared by the finder and the opener of one program, read by the main window after a
// failed open. Only the latest attempt counts: a later success clears an earlier failure.
class DeviceAccessReport {
public:
    void Record(DeviceAccessFailure failure) { m_last = failure; }
    DeviceAccessFailure Last() const { return m_last; }
    // The device an open reached: its USB serial number, or "port:" and the USB port path
    // ("port:1-1.4") for a printer without one; empty after an open that failed. The counter
    // samples are kept per printer under this name.
    void RecordOpened(std::string printer) { m_printer = std::move(printer); }
    const std::string& OpenedPrinter() const { return m_printer; }
    // The hint in English; empty for None.
    std::string Hint() const {
        const Text hint = DeviceAccessHint(m_last);
        return hint.source ? hint.source : "";
    }

private:
    DeviceAccessFailure m_last = DeviceAccessFailure::None;
    std::string m_printer;
};

}  // namespace zt40
