#pragma once
// The core's marked texts in the edition the application loaded.
#include <QCoreApplication>
#include <QString>

#include "platform/Text.h"

namespace zt40::ui {

inline QString WizardTr(Text text) { return QCoreApplication::translate(text.context, text.source); }

inline QString WizardTr(const Message& message) {
    if (message.IsVerbatim()) return QString::fromStdString(message.verbatim);
    QString text = WizardTr(message.text);
    for (const std::string& arg : message.args) text = text.arg(QString::fromStdString(arg));
    return text;
}

}  // namespace zt40::ui
