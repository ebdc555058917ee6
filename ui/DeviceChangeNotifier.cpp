#include "ui/DeviceChangeNotifier.h"

#include <QMetaObject>

namespace zt40::ui {

DeviceChangeNotifier::DeviceChangeNotifier(IDeviceChangeMonitor& monitor, QObject* parent)
    : QObject(parent), m_monitor(monitor) {
    if (const int descriptor = monitor.ReadableDescriptor(); descriptor >= 0) {
        m_notifier.emplace(descriptor, QSocketNotifier::Read);
        connect(&*m_notifier, &QSocketNotifier::activated, this, [this] { m_monitor.Dispatch(); });
    }
    // Queued: the notice comes after the handler that changed the device returns, and on this
    // object's thread whichever thread woke it. A call queued on a destroyed notifier is dropped.
    m_monitor.SetWake([this] { QMetaObject::invokeMethod(this, [this] { m_monitor.Dispatch(); }, Qt::QueuedConnection); });
}

DeviceChangeNotifier::~DeviceChangeNotifier() { m_monitor.SetWake({}); }

}  // namespace zt40::ui
