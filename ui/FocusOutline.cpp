#include "ui/FocusOutline.h"

namespace zt40::ui {

void ApplyFocusOutline(QWidget& window) {
    const QString colour = kFocusOutlineColour.name();
    // A button drawn by the style sheet loses its bevel, so the focused one keeps a plain
    // button's background and padding. Only buttons: they alone have a default's frame to be
    // mistaken for, and other controls keep the style's own focus mark.
    window.setStyleSheet(QStringLiteral("QPushButton:focus { border: 2px dotted %1; border-radius: 3px;"
                                        " background-color: palette(button); padding: 2px 6px; }")
                             .arg(colour));
}

}  // namespace zt40::ui
