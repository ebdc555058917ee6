#include "ui/HistoryWearChart.h"

#include <QDateTime>
#include <QDateTimeAxis>
#include <QLegendMarker>
#include <QLineSeries>
#include <QPen>
#include <QValueAxis>

#include <algorithm>
#include <memory>
#include <utility>

#include "platform/WearBands.h"
#include "record/WearForecast.h"
#include "ui/Translations.h"

namespace zt40::ui {

namespace {

// A forecast further out than this says "not soon"; drawing it would flatten the lines.
constexpr std::int64_t kLongestForecastDays = 365;

qint64 AtNoon(RecordDate date) { return QDateTime(QDate(date.year, date.month, date.day), QTime(12, 0)).toMSecsSinceEpoch(); }

QColor PinColour(int index) { return QColor::fromHsv((index * 40) % 360, 200, 200); }

// Adds `series` to the chart on both axes; the chart owns it from here on.
QLineSeries* Add(QChart& chart, std::unique_ptr<QLineSeries> series, QAbstractAxis& x, QAbstractAxis& y) {
    QLineSeries* added = series.release();
    chart.addSeries(added);
    added->attachAxis(&x);
    added->attachAxis(&y);
    return added;
}

std::unique_ptr<QLineSeries> Line(const QString& name, const QPen& pen) {
    auto series = std::make_unique<QLineSeries>();
    series->setName(name);
    series->setPen(pen);
    return series;
}

// The view owns the chart it is given; the one it had (an empty chart it makes for itself) it
// gives up without deleting, so that one is deleted here.
void ShowChart(QChartView& view, std::unique_ptr<QChart> chart) {
    const std::unique_ptr<QChart> previous(view.chart());
    view.setChart(chart.release());
}

}  // namespace

WearChart::WearChart(const SamplesRead& samples, QWidget* parent) : QChartView(parent) {
    setObjectName(QStringLiteral("wearChart"));
    setRenderHint(QPainter::Antialiasing);
    auto chart = std::make_unique<QChart>();
    const RecordDate today = LocalDate();
    const auto printer = NewestPrinter(samples.samples, today);
    if (!printer) {
        chart->setTitle(Translate(ZT40_TR("WearChart", "No counter samples yet: the window and zt40ctl status keep one a day.")));
        ShowChart(*this, std::move(chart));
        return;
    }
    const WearForecast forecast = ForecastWear(samples.samples, *printer, today);
    chart->setTitle(Render(Message::Of(ZT40_TR("WearChart", "Wear of printer %1"), {*printer})));

    std::vector<const CounterSample*> own;
    for (const auto& sample : samples.samples) {
        if (sample.printer == *printer) own.push_back(&sample);
    }
    std::stable_sort(own.begin(), own.end(), [](const auto* a, const auto* b) { return a->date < b->date; });
    const qint64 first = AtNoon(own.front()->date);
    const qint64 newest = AtNoon(forecast.newest);
    constexpr qint64 kDayMs = 86'400'000;
    qint64 last = newest + kDayMs;
    std::int32_t highest = kRedFromCount + kCountsPerSegment;
    for (const auto& pin : forecast.pins) {
        if (pin.daysToRed && *pin.daysToRed > 0 && *pin.daysToRed <= kLongestForecastDays) {
            last = std::max(last, newest + *pin.daysToRed * kDayMs);
        }
        highest = std::max(highest, pin.count);
    }

    auto x = std::make_unique<QDateTimeAxis>();
    x->setFormat(QStringLiteral("yyyy-MM-dd"));
    x->setRange(QDateTime::fromMSecsSinceEpoch(first), QDateTime::fromMSecsSinceEpoch(last));
    auto y = std::make_unique<QValueAxis>();
    y->setLabelFormat(QStringLiteral("%.0f"));
    y->setRange(0, highest);
    y->setTitleText(Translate(ZT40_TR("WearChart", "Counts")));
    QDateTimeAxis& xAxis = *x;
    QValueAxis& yAxis = *y;
    chart->addAxis(x.release(), Qt::AlignBottom);  // the chart owns its axes
    chart->addAxis(y.release(), Qt::AlignLeft);

    for (const auto& [threshold, colour, name] :
         {std::tuple{kYellowFromCount, QColor(230, 190, 0), ZT40_TR("WearChart", "Yellow band")},
          std::tuple{kRedFromCount, QColor(220, 30, 30), ZT40_TR("WearChart", "Red band")}}) {
        auto band = Line(Translate(name), QPen(colour, 2, Qt::DashLine));
        band->setObjectName(QStringLiteral("band%1").arg(threshold));
        band->append(static_cast<qreal>(first), threshold);
        band->append(static_cast<qreal>(last), threshold);
        Add(*chart, std::move(band), xAxis, yAxis);
    }
    for (std::size_t i = 0; i < forecast.pins.size(); ++i) {
        const PinForecast& pin = forecast.pins[i];
        const int index = static_cast<int>(i);
        auto counts = Line(Render(Message::Of(ZT40_TR("WearChart", "Pin %1"), {std::to_string(pin.pin)})),
                           QPen(PinColour(index), 2));
        counts->setObjectName(QStringLiteral("pin%1").arg(pin.pin));
        for (const auto* sample : own) {
            counts->append(static_cast<qreal>(AtNoon(sample->date)), sample->counters.PinCounter[i]);
        }
        Add(*chart, std::move(counts), xAxis, yAxis);
        if (!pin.perDay || !(*pin.perDay > 0) || !pin.daysToRed || *pin.daysToRed == 0) continue;
        const auto days = std::min(*pin.daysToRed, kLongestForecastDays);
        auto ahead = Line(QString(), QPen(PinColour(index), 1, Qt::DotLine));
        ahead->setObjectName(QStringLiteral("forecast%1").arg(pin.pin));
        ahead->append(static_cast<qreal>(newest), pin.count);
        ahead->append(static_cast<qreal>(newest + days * kDayMs), pin.count + *pin.perDay * static_cast<double>(days));
        QLineSeries* added = Add(*chart, std::move(ahead), xAxis, yAxis);
        for (QLegendMarker* marker : chart->legend()->markers(added)) marker->setVisible(false);
    }
    chart->legend()->setAlignment(Qt::AlignRight);
    ShowChart(*this, std::move(chart));
}

}  // namespace zt40::ui
