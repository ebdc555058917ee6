#pragma once
// Desktop notifications through the freedesktop notification service on the session bus.
// Without a session bus or a service nothing is shown and nothing waits.
#include <QString>

namespace zt40::ui {

class DesktopNotifier {
public:
    // Sends one notification without waiting for the service's answer; false when there is
    // no session bus to send it on.
    static bool Notify(const QString& summary, const QString& body);
};

}  // namespace zt40::ui
