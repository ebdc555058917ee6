#include "ui/HistoryWearChart.h"

#include <QCategoryAxis>
#include <QLegendMarker>
#include <QLineSeries>
#include <QPen>

#include <memory>
#include <utility>

#include "app/WearChartModel.h"
#include "ui/Translations.h"

namespace zt40::ui {

namespace {

// The model's ticks, labelled where they fall: the chart shows the model's own, no others.
std::unique_ptr<QCategoryAxis> Axis(const ChartAxis& model) {
    auto axis = std::make_unique<QCategoryAxis>();
    axis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    axis->setStartValue(model.low);
    for (const auto& tick : model.ticks) axis->append(QString::fromStdString(tick.label), tick.at);
    axis->setRange(model.low, model.high);
    if (model.title) axis->setTitleText(Render(*model.title));
    return axis;
}

Qt::PenStyle PenStyle(ChartStroke stroke) {
    switch (stroke) {
    case ChartStroke::Dashed: return Qt::DashLine;
    case ChartStroke::Dotted: return Qt::DotLine;
    case ChartStroke::Solid: break;
    }
    return Qt::SolidLine;
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
    const WearChartModel model = MakeWearChart(samples.samples, LocalDate());
    auto chart = std::make_unique<QChart>();
    chart->setTitle(Render(model.title));
    if (!model.hasSamples) {
        ShowChart(*this, std::move(chart));
        return;
    }
    auto x = Axis(model.days);
    auto y = Axis(model.counts);
    QCategoryAxis& xAxis = *x;
    QCategoryAxis& yAxis = *y;
    chart->addAxis(x.release(), Qt::AlignBottom);  // the chart owns its axes
    chart->addAxis(y.release(), Qt::AlignLeft);
    for (const ChartLine& line : model.lines) {
        auto series = std::make_unique<QLineSeries>();
        series->setObjectName(QString::fromStdString(line.key));
        if (line.legend) series->setName(Render(*line.legend));
        series->setPen(QPen(QColor(line.colour.r, line.colour.g, line.colour.b), line.width, PenStyle(line.stroke)));
        for (const auto& point : line.points) series->append(point.day, point.count);
        // A single sample is a point, not a line.
        series->setPointsVisible(line.points.size() == 1);
        QLineSeries* added = series.release();
        chart->addSeries(added);  // the chart owns its series
        added->attachAxis(&xAxis);
        added->attachAxis(&yAxis);
        if (!line.legend) {
            for (QLegendMarker* marker : chart->legend()->markers(added)) marker->setVisible(false);
        }
    }
    chart->legend()->setAlignment(Qt::AlignRight);
    ShowChart(*this, std::move(chart));
}

}  // namespace zt40::ui
