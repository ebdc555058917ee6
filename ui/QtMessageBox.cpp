#include "ui/QtMessageBox.h"

#include <QCoreApplication>
#include <QMessageBox>

#include "ui/Translations.h"

namespace zt40::ui {

namespace {

QMessageBox::Icon ToQt(MbIcon icon) {
    switch (icon) {
    case MbIcon::None:
        return QMessageBox::NoIcon;
    case MbIcon::Information:
        return QMessageBox::Information;
    case MbIcon::Warning:
        return QMessageBox::Warning;
    case MbIcon::Error:
        return QMessageBox::Critical;
    }
    return QMessageBox::NoIcon;
}

}  // namespace

QString QtMessageBox::Caption() { return QCoreApplication::applicationName(); }

MbResult QtMessageBox::Show(const Message& message, MbButtons buttons, MbIcon icon) {
    return ShowText(Render(message), buttons, icon);
}

MbResult QtMessageBox::ShowText(const QString& text, MbButtons buttons, MbIcon icon) {
    QMessageBox::StandardButtons shown = QMessageBox::Ok;
    QMessageBox::StandardButton accept = QMessageBox::Ok;
    if (buttons == MbButtons::OkCancel) shown = QMessageBox::Ok | QMessageBox::Cancel;
    if (buttons == MbButtons::RetryCancel) {
        shown = QMessageBox::Retry | QMessageBox::Cancel;
        accept = QMessageBox::Retry;
    }
    QMessageBox box(ToQt(icon), Caption(), text, shown, m_parent.data());
    box.setObjectName(QStringLiteral("messageBox"));
    box.setDefaultButton(accept);
    // Closing the box any other way than with OK (or Retry) counts as Cancel, as on the original desktop.
    if (box.exec() != accept) return MbResult::Cancel;
    return accept == QMessageBox::Retry ? MbResult::Retry : MbResult::Ok;
}

}  // namespace zt40::ui
