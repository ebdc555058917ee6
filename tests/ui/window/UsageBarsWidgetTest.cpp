// The bars on screen: every pixel where the segment function puts a segment, its outline,
// the line over the bar and the frame behind it, at sizes that leave a remainder at the right.
#include <QImage>
#include <QTest>

#include <limits>

#include "app/UsageBar.h"
#include "ui/UsageBarsWidget.h"
#include "tests/ui/window/WindowTests.h"

namespace zt40::testing {
namespace {

QRgb ToRgb(const Rgb& c) { return qRgb(c.r, c.g, c.b); }

class UsageBarsWidgetTest : public QObject {
    Q_OBJECT
private slots:
    void paintsWhatTheSegmentFunctionReturns_data() {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("markerWidth");
        QTest::newRow("0, width 100: 1 px left over") << 0 << 100;
        QTest::newRow("999,999, width 109: 10 px left over") << 999'999 << 109;
        QTest::newRow("7,999,999") << 7'999'999 << 154;
        QTest::newRow("8,000,000 first yellow") << 8'000'000 << 154;
        QTest::newRow("9,999,999 no red yet") << 9'999'999 << 160;
        QTest::newRow("10,000,000 first red") << 10'000'000 << 160;
        QTest::newRow("11,000,000 full") << 11'000'000 << 121;
        QTest::newRow("largest count") << std::numeric_limits<std::int32_t>::max() << 131;
        QTest::newRow("negative") << -3'000'000 << 131;
    }
    void paintsWhatTheSegmentFunctionReturns() {
        QFETCH(int, count);
        QFETCH(int, markerWidth);
        QWidget parent;
        parent.resize(400, 200);
        ui::UsageBarsWidget bars(&parent);
        std::array<QRect, kPinCount> markers;
        for (int k = 0; k < kPinCount; ++k) markers[static_cast<std::size_t>(k)] = QRect(20, 30 + 15 * k, markerWidth, 15);
        bars.SetMarkers(markers);
        std::array<std::int32_t, kPinCount> counts{};
        counts[4] = count;
        bars.SetCounts(counts);
        const QImage image = bars.grab().toImage();

        const BarRect marker = bars.Marker(4);
        const UsageBar expected = MakeUsageBar(count, marker);
        const int middle = (expected.segments[0].rect.top + expected.segments[0].rect.bottom) / 2;
        for (const BarSegment& segment : expected.segments) {
            const BarRect& r = segment.rect;
            const QString where = QStringLiteral("segment at x %1").arg(r.left);
            QCOMPARE(image.pixel((r.left + r.right) / 2, middle), ToRgb(segment.fill));
            // The outline covers the first and last pixel of the rectangle, not one beyond.
            QCOMPARE(image.pixel(r.left, middle), ToRgb(kBarOutlineColour));
            QCOMPARE(image.pixel(r.right - 1, middle), ToRgb(kBarOutlineColour));
            QVERIFY2(image.pixel(r.left + 1, middle) == ToRgb(segment.fill), qPrintable(where));
            QCOMPARE(image.pixel(r.left + 1, r.top), ToRgb(kBarOutlineColour));
            QCOMPARE(image.pixel(r.left + 1, r.bottom - 1), ToRgb(kBarOutlineColour));
            QCOMPARE(image.pixel(r.left + 1, r.bottom), ToRgb(kBarFrameColour));
        }
        // The line over the bar spans the marker, and the pixels right of the last segment
        // belong to the frame behind.
        QCOMPARE(image.pixel(marker.right - 2, expected.lineY), ToRgb(kBarOutlineColour));
        const int rightEnd = expected.segments.back().rect.right;
        if (marker.right - rightEnd >= 3) QCOMPARE(image.pixel(rightEnd + 1, middle), ToRgb(kBarFrameColour));
        // The other pins show nothing lit.
        const UsageBar unlit = MakeUsageBar(0, bars.Marker(0));
        const BarRect& firstOfPin1 = unlit.segments[0].rect;
        QCOMPARE(image.pixel((firstOfPin1.left + firstOfPin1.right) / 2, (firstOfPin1.top + firstOfPin1.bottom) / 2),
                 ToRgb(unlit.segments[0].fill));
    }
};

ZT40_WINDOW_TEST(UsageBarsWidgetTest);

}  // namespace
}  // namespace zt40::testing

#include "UsageBarsWidgetTest.moc"
