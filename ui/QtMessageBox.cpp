#include "ui/QtMessageBox.h"

#include <QApplication>
#include <QMessageBox>

#include "app/CPinwardenDlg.h"
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

QString QtMessageBox::Caption() { return Translate(kWindowCaption); }

QWidget* ModalParent(QWidget* fallback) {
    // Over the topmost dialog of the program, so the box blocks that dialog (and what lies
    // under it) but never the simulator's control window beside them.
    QWidget* modal = QApplication::activeModalWidget();
    return modal != nullptr ? modal : fallback;
}

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
    if (buttons == MbButtons::YesNo) {
        shown = QMessageBox::Yes | QMessageBox::No;
        accept = QMessageBox::Yes;
    }
    QMessageBox box(ToQt(icon), Caption(), text, shown, ModalParent(m_parent.data()));
    box.setObjectName(QStringLiteral("messageBox"));
    box.setWindowModality(box.parentWidget() != nullptr ? Qt::WindowModal : Qt::ApplicationModal);
    box.setDefaultButton(accept);
    // Closing the box any other way than with OK (Retry, Yes) counts as Cancel (No), as on the original desktop.
    if (box.exec() != accept) return buttons == MbButtons::YesNo ? MbResult::No : MbResult::Cancel;
    if (accept == QMessageBox::Yes) return MbResult::Yes;
    return accept == QMessageBox::Retry ? MbResult::Retry : MbResult::Ok;
}

}  // namespace zt40::ui
