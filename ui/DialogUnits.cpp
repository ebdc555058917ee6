#include "ui/DialogUnits.h"

#include <QFontMetrics>

#include <cmath>

namespace zt40::ui {

DialogUnits DialogUnits::FromFont(const QFont& font) {
    const QFontMetrics metrics(font);
    const int letters = metrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    // Whole pixels, rounded as the desktop rounds its base units.
    const int averageWidth = (letters / 26 + 1) / 2;
    return DialogUnits(averageWidth / 4.0, metrics.height() / 8.0);
}

QRect DialogUnits::Map(const UnitRect& r) const {
    // Edges are mapped, not sizes, so neighbouring controls never overlap or leave gaps.
    const int left = static_cast<int>(std::lround(r.x * m_x));
    const int top = static_cast<int>(std::lround(r.y * m_y));
    const int right = static_cast<int>(std::lround((r.x + r.width) * m_x));
    const int bottom = static_cast<int>(std::lround((r.y + r.height) * m_y));
    return QRect(left, top, right - left, bottom - top);
}

QSize DialogUnits::Map(int width, int height) const {
    return QSize(static_cast<int>(std::lround(width * m_x)), static_cast<int>(std::lround(height * m_y)));
}

}  // namespace zt40::ui
