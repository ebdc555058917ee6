#include "ui/DeviceChangeNotifier.h"

namespace zt40::ui {

DeviceChangeNotifier::DeviceChangeNotifier(IDeviceChangeMonitor& monitor, QObject* parent)
    : QObject(parent), m_monitor(monitor), m_notifier(monitor.FileDescriptor(), QSocketNotifier::Read) {
    m_notifier.setEnabled(monitor.FileDescriptor() >= 0);
    connect(&m_notifier, &QSocketNotifier::activated, this, [this] { m_monitor.Dispatch(); });
}

}  // namespace zt40::ui
