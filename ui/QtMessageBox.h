#pragma once
// The core's message boxes as Qt message boxes: captioned with the product's name, the text
// in the operator's edition, modal only to the window they stand over.
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

    // A text already in the operator's edition.
    MbResult ShowText(const QString& text, MbButtons buttons, MbIcon icon);

    static QString Caption();

private:

    QPointer<QWidget> m_parent;
};

// The window a new dialog should stand over: the topmost modal dialog, else `fallback`.
// Dialogs are window-modal to it, so the simulator's control window stays usable.
QWidget* ModalParent(QWidget* fallback);

}  // namespace zt40::ui
