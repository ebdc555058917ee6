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
    QMessageBox box(ToQt(icon), Caption(), text,
                    buttons == MbButtons::OkCancel ? QMessageBox::Ok | QMessageBox::Cancel : QMessageBox::Ok,
                    m_parent.data());
    box.setObjectName(QStringLiteral("messageBox"));
    box.setDefaultButton(QMessageBox::Ok);
    // Closing the box any other way than with OK counts as Cancel, as on the original desktop.
    return box.exec() == QMessageBox::Ok ? MbResult::Ok : MbResult::Cancel;
}

}  // namespace zt40::ui
