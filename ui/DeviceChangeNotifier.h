#pragma once
// Puts a device-change monitor on the Qt event loop: when its descriptor wakes, or the monitor
// asks for it, the monitor is dispatched on the user-interface thread, so its notice reaches
// the main window there.
#include <QObject>
#include <QSocketNotifier>

#include <optional>

#include "platform/DeviceChangeMonitor.h"

namespace zt40::ui {

class DeviceChangeNotifier : public QObject {
    Q_OBJECT
public:
    // The monitor must outlive the notifier.
    explicit DeviceChangeNotifier(IDeviceChangeMonitor& monitor, QObject* parent = nullptr);
    ~DeviceChangeNotifier() override;

private:
    IDeviceChangeMonitor& m_monitor;
    std::optional<QSocketNotifier> m_notifier;
};

}  // namespace zt40::ui
