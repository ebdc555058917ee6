#pragma once
// The keyboard focus as its own outline: dotted and coloured, so that it never looks like
// the default button's frame (which shows what Enter presses, not where the focus is).
#include <QColor>
#include <QPushButton>
#include <QWidget>

namespace zt40::ui {

// The outline's colour, for the tests that look for it.
inline const QColor kFocusOutlineColour{0x0b, 0x63, 0xc4};

// Gives `window` and every dialog opened over it the focus outline.
void ApplyFocusOutline(QWidget& window);

// The size `button`'s text needs with the outline around it.
QSize OutlinedTextSize(const QPushButton& button);

// A button that keeps room for the outline around its text. The style's own size, taken while
// the button has no focus, is a bevel's; the outline's border and padding then cut the text.
class OutlinedButton final : public QPushButton {
public:
    using QPushButton::QPushButton;
    QSize sizeHint() const override { return QPushButton::sizeHint().expandedTo(OutlinedTextSize(*this)); }
};

}  // namespace zt40::ui
