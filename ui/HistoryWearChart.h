#pragma once
// The history window's "Wear" view: each pin's counter over the days of its samples, the
// yellow and red bands' thresholds, and each rising pin's forecast drawn on to the red band.
#include <QChartView>

#include "record/CounterSamples.h"

namespace zt40::ui {

class WearChart : public QChartView {
    Q_OBJECT
public:
    // The printer of the newest sample; a note in place of the lines when there is none.
    explicit WearChart(const SamplesRead& samples, QWidget* parent = nullptr);
};

}  // namespace zt40::ui
