#pragma once
// The history window's "Wear" view as every edition draws it: each pin's counts over the days
// of its samples, the yellow and red bands' thresholds, each rising pin's forecast on to the red
// band, the axes with their ticks, and the texts. The toolkits only map it onto pixels.
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "app/UsageBar.h"
#include "platform/Text.h"
#include "record/CounterSamples.h"

namespace zt40 {

// A forecast further out than this says "not soon"; drawing it would flatten the lines.
inline constexpr std::int64_t kLongestForecastDays = 365;
// At most this many labels on either axis: the dates must fit side by side in the narrower window.
inline constexpr int kMostChartTicks = 7;

enum class ChartStroke { Solid, Dashed, Dotted };

struct ChartPoint {
    double day = 0;    // days since 1970-01-01 (DayNumber)
    double count = 0;
    bool operator==(const ChartPoint&) const = default;
};

struct ChartLine {
    std::string key;                // "pin3", "band8000000", "forecast3": what a reader finds it by
    std::optional<Message> legend;  // a line without one stays out of the legend
    Rgb colour;
    int width = 1;  // pixels
    ChartStroke stroke = ChartStroke::Solid;
    std::vector<ChartPoint> points;  // in day order
};

struct ChartTick {
    double at = 0;
    std::string label;
    bool operator==(const ChartTick&) const = default;
};

struct ChartAxis {
    double low = 0, high = 1;  // low < high, also with a single date
    std::vector<ChartTick> ticks;  // ascending, within [low, high], no label twice
    std::optional<Message> title;
};

struct WearChartModel {
    Message title;
    bool hasSamples = false;  // without, the title says so and nothing else is drawn
    ChartAxis days;
    ChartAxis counts;
    std::vector<ChartLine> lines;  // in drawing order: the bands, then each pin and its forecast
    const ChartLine* Find(const std::string& key) const;
};

// The newest printer's samples up to `today` (a sample dated later is passed over, as the
// forecast passes it over), forecast as of `today`.
WearChartModel MakeWearChart(std::span<const CounterSample> samples, RecordDate today);

// The colour of the pin at `index` (0..8), the same in the chart's lines and its legend.
Rgb PinLineColour(int index);

}  // namespace zt40
