#include "ui/DesktopNotifier.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QStringList>
#include <QVariantMap>

namespace zt40::ui {

namespace {

// The notification's life on screen, in milliseconds: a worn pin needs reading, not a glance.
constexpr int kShownMs = 30'000;

}  // namespace

bool DesktopNotifier::Notify(const QString& summary, const QString& body) {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) return false;
    QDBusMessage call =
        QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.Notifications"),
                                       QStringLiteral("/org/freedesktop/Notifications"),
                                       QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("Notify"));
    call << QStringLiteral("ZT-40 Pinwarden") << 0u << QStringLiteral("zt40util") << summary << body << QStringList()
         << QVariantMap() << kShownMs;
    // The window never waits on the desktop: the answer (the notification's id) is not needed.
    return bus.send(call);
}

}  // namespace zt40::ui
