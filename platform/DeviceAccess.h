#pragma once
// Why the printer's USB device could not be reached, in a form the main window can show:
// the operator needs to tell "not plugged in" from "plugged in but not ours to open".
#include <string_view>

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

// One line for the status area; empty for None.
constexpr std::string_view DeviceAccessHint(DeviceAccessFailure failure) {
    switch (failure) {
    case DeviceAccessFailure::None:
        return {};
    case DeviceAccessFailure::QueueNotFound:
        return "The printer's queue cannot be read from the print spooler.";
    case DeviceAccessFailure::DeviceNotFound:
        return "The ZT-40 is not connected or not switched on.";
    case DeviceAccessFailure::NoPermission:
        return "The ZT-40 is connected but its USB device cannot be opened: no permission "
               "(install the udev rule, then reconnect the printer).";
    case DeviceAccessFailure::Busy:
        return "The ZT-40 is connected but its USB device is in use by another program.";
    case DeviceAccessFailure::OpenFailed:
        return "The ZT-40 is connected but its USB device cannot be opened.";
    case DeviceAccessFailure::NotAnswering:
        return "The ZT-40 is connected but does not answer: switch it off and on again.";
    }
    return {};
}

// Shared by the finder and the opener of one program, read by the main window after a
// failed open. Only the latest attempt counts: a later success clears an earlier failure.
class DeviceAccessReport {
public:
    void Record(DeviceAccessFailure failure) { m_last = failure; }
    DeviceAccessFailure Last() const { return m_last; }
    std::string_view Hint() const { return DeviceAccessHint(m_last); }

private:
    DeviceAccessFailure m_last = DeviceAccessFailure::None;
};

}  // namespace zt40
