#include "ui/FocusOutline.h"

namespace zt40::ui {

namespace {

// The outline's box, in pixels: what the focused button's text needs around it.
constexpr int kBorder = 2;
constexpr int kPaddingX = 6;
constexpr int kPaddingY = 2;

}  // namespace

void ApplyFocusOutline(QWidget& window) {
    const QString colour = kFocusOutlineColour.name();
    // A button drawn by the style sheet loses its bevel, so the focused one keeps a plain
    // button's background and padding. Only buttons: they alone have a default's frame to be
    // mistaken for, and other controls keep the style's own focus mark.
    window.setStyleSheet(QStringLiteral("QPushButton:focus { border: %2px dotted %1; border-radius: 3px;"
                                        " background-color: palette(button); padding: %4px %3px; }")
                             .arg(colour)
                             .arg(kBorder)
                             .arg(kPaddingX)
                             .arg(kPaddingY));
}

QSize OutlinedTextSize(const QPushButton& button) {
    const QSize text = button.fontMetrics().size(Qt::TextShowMnemonic, button.text());
    return text + QSize(2 * (kBorder + kPaddingX), 2 * (kBorder + kPaddingY));
}

}  // namespace zt40::ui
