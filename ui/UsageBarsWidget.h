#pragma once
// The nine "Amount used" bars: paints, over the markers' frame, exactly the segments the
// core's usage-bar function gives for each pin's count and marker rectangle.
#include <QRect>
#include <QString>
#include <QWidget>

#include <array>
#include <cstdint>

#include "app/UsageBar.h"
#include "platform/PinRange.h"

namespace zt40::ui {

class UsageBarsWidget : public QWidget {
    Q_OBJECT
public:
    explicit UsageBarsWidget(QWidget* parent = nullptr);

    // Marker rectangles of pins 1..9 in the parent's coordinates; the widget covers their frame.
    void SetMarkers(const std::array<QRect, kPinCount>& markers);
    // The counts to show; painted at the next repaint.
    void SetCounts(const std::array<std::int32_t, kPinCount>& counts) { m_counts = counts; }
    const std::array<std::int32_t, kPinCount>& Counts() const { return m_counts; }
    // Grey bars: the counts are the last ones read from a printer no longer connected.
    void SetGreyed(bool greyed) { m_greyed = greyed; }
    bool Greyed() const { return m_greyed; }
    // A marker in the widget's own coordinates, right and bottom exclusive.
    BarRect Marker(int pinIndex) const;
    // Each bar's tip; the window shows it, since the bars let the mouse through.
    void SetTips(const std::array<QString, kPinCount>& tips) { m_tips = tips; }
    // The tip of the bar at `point` (widget coordinates); empty between bars.
    QString TipAt(const QPoint& point) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::array<QRect, kPinCount> m_markers{};
    std::array<std::int32_t, kPinCount> m_counts{};
    std::array<QString, kPinCount> m_tips{};
    bool m_greyed = false;
};

}  // namespace zt40::ui
