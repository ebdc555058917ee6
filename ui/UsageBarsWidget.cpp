#include "ui/UsageBarsWidget.h"

#include <QPainter>

namespace zt40::ui {

namespace {

QColor ToQColor(const Rgb& rgb) { return QColor(rgb.r, rgb.g, rgb.b); }

// A filled rectangle with a one-pixel outline covering [left, right) x [top, bottom), as the
// desktop's Rectangle draws it: Qt strokes one pixel beyond the rectangle's size.
void DrawBox(QPainter& painter, const BarRect& r, const QColor& fill) {
    if (r.right <= r.left || r.bottom <= r.top) return;
    painter.setBrush(fill);
    painter.drawRect(QRect(r.left, r.top, r.right - r.left - 1, r.bottom - r.top - 1));
}

}  // namespace

UsageBarsWidget::UsageBarsWidget(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("usageBars"));
    // The bars are a picture, not a control: clicks and focus belong to the window.
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
}

void UsageBarsWidget::SetMarkers(const std::array<QRect, kPinCount>& markers) {
    m_markers = markers;
    const QRect& first = markers.front();
    const QRect& last = markers.back();
    // The frame: the first marker's left, top and right, the last marker's bottom.
    setGeometry(QRect(first.topLeft(), QPoint(first.right(), last.bottom())));
}

BarRect UsageBarsWidget::Marker(int pinIndex) const {
    const QRect r = m_markers[static_cast<std::size_t>(pinIndex)].translated(-pos());
    return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}

QString UsageBarsWidget::TipAt(const QPoint& point) const {
    for (int i = 0; i < kPinCount; ++i) {
        const BarRect r = Marker(i);
        if (point.x() >= r.left && point.x() < r.right && point.y() >= r.top && point.y() < r.bottom) {
            return m_tips[static_cast<std::size_t>(i)];
        }
    }
    return {};
}

void UsageBarsWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(ToQColor(kBarOutlineColour), 0));
    DrawBox(painter, UsageBarsFrame(Marker(0), Marker(kPinCount - 1)), ToQColor(kBarFrameColour));
    for (int i = 0; i < kPinCount; ++i) {
        const UsageBar bar = MakeUsageBar(m_counts[static_cast<std::size_t>(i)], Marker(i), m_greyed);
        // The line stops one pixel short of its end point, as the desktop draws lines.
        if (bar.lineRight > bar.lineLeft) painter.drawLine(bar.lineLeft, bar.lineY, bar.lineRight - 1, bar.lineY);
        for (const BarSegment& segment : bar.segments) DrawBox(painter, segment.rect, ToQColor(segment.fill));
    }
}

}  // namespace zt40::ui
