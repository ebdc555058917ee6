#include "platform/linux/UdevDeviceMonitor.h"

#include <libudev.h>

#include <string_view>

namespace zt40 {

struct UdevDeviceMonitor::State {
    udev* context = nullptr;
    udev_monitor* monitor = nullptr;
    Notify notify;

    ~State() {
        if (monitor) udev_monitor_unref(monitor);
        if (context) udev_unref(context);
    }
};

std::unique_ptr<UdevDeviceMonitor> UdevDeviceMonitor::Create(Notify notify) {
    auto state = std::make_unique<State>();
    state->notify = std::move(notify);
    state->context = udev_new();
    if (!state->context) return nullptr;
    // Events as udev sends them after its rules ran, so a new device's permissions are in place.
    state->monitor = udev_monitor_new_from_netlink(state->context, "udev");
    if (!state->monitor) return nullptr;
    if (udev_monitor_filter_add_match_subsystem_devtype(state->monitor, "usb", "usb_device") < 0 ||
        udev_monitor_enable_receiving(state->monitor) < 0) {
        return nullptr;
    }
    return std::make_unique<UdevDeviceMonitor>(std::move(state));
}

UdevDeviceMonitor::UdevDeviceMonitor(std::unique_ptr<State> state) : m_state(std::move(state)) {}
UdevDeviceMonitor::~UdevDeviceMonitor() = default;

int UdevDeviceMonitor::ReadableDescriptor() const { return udev_monitor_get_fd(m_state->monitor); }

int UdevDeviceMonitor::Dispatch() {
    bool changed = false;
    // The monitor's socket does not block: a null device means the queue is empty.
    while (udev_device* device = udev_monitor_receive_device(m_state->monitor)) {
        // Only whole devices pass the monitor's filter; their driver (un)binding is no change.
        const char* action = udev_device_get_action(device);
        const std::string_view name = action ? action : "";
        if (name == "add" || name == "remove") changed = true;
        udev_device_unref(device);
    }
    if (!changed) return 0;
    if (m_state->notify) m_state->notify(kDeviceNodesChanged);
    return 1;
}

}  // namespace zt40
