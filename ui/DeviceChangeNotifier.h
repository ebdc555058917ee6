#pragma once
// Puts a device-change monitor on the Qt event loop: when its descriptor wakes, the monitor
// is dispatched on the user-interface thread, so its notice reaches the main window there.
#include <QObject>
#include <QSocketNotifier>

#include "platform/DeviceChangeMonitor.h"

namespace zt40::ui {

class DeviceChangeNotifier : public QObject {
    Q_OBJECT
public:
    // The monitor must outlive the notifier. A monitor without a descriptor is left idle.
    explicit DeviceChangeNotifier(IDeviceChangeMonitor& monitor, QObject* parent = nullptr);

private:
    IDeviceChangeMonitor& m_monitor;
    QSocketNotifier m_notifier;
};

}  // namespace zt40::ui
