#pragma once
// The core's message boxes as Qt message boxes: captioned with the application name (the
// program file's name), the text in the operator's edition.
#include <QPointer>
#include <QString>
#include <QWidget>

#include "platform/MessageBox.h"
#include "platform/Text.h"

namespace zt40::ui {

class QtMessageBox final : public IMessageBox {
public:
    // `parent` may be null or go away first; the boxes are then shown without one.
    explicit QtMessageBox(QWidget* parent = nullptr) : m_parent(parent) {}

    // A verbatim message (the spooler's own error text) is shown as it stands.
    MbResult Show(const Message& message, MbButtons buttons, MbIcon icon) override;

    static QString Caption();

private:
    MbResult ShowText(const QString& text, MbButtons buttons, MbIcon icon);

    QPointer<QWidget> m_parent;
};

}  // namespace zt40::ui
