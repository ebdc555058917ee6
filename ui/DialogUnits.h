#pragma once
// Dialog units as the dialogs were designed in: a horizontal unit is a quarter of the font's
// average character width, a vertical one an eighth of its height, so a layout keeps its
// proportions in any font and either edition.
#include <QFont>
#include <QRect>
#include <QSize>

namespace zt40::ui {

struct UnitRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

class DialogUnits {
public:
    // From the average width of the 52 Latin letters and the height of `font`.
    static DialogUnits FromFont(const QFont& font);
    // Pixels per dialog unit; a window that was resized uses its own.
    DialogUnits(double pixelsPerUnitX, double pixelsPerUnitY) : m_x(pixelsPerUnitX), m_y(pixelsPerUnitY) {}

    QRect Map(const UnitRect& r) const;
    QSize Map(int width, int height) const;
    double PerUnitX() const { return m_x; }
    double PerUnitY() const { return m_y; }

private:
    double m_x;
    double m_y;
};

}  // namespace zt40::ui
