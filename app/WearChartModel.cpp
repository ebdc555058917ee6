#include "app/WearChartModel.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>

#include "platform/WearBands.h"
#include "record/HistoryTexts.h"
#include "record/WearForecast.h"

namespace zt40 {

namespace {

constexpr Rgb kYellowLine{230, 190, 0};
constexpr Rgb kRedLine{220, 30, 30};
constexpr int kCountLineWidth = 2;
constexpr int kForecastWidth = 1;

// Day steps that read as days, weeks, months and years; past the last, twice the one before.
constexpr std::array<std::int64_t, 10> kDaySteps{1, 2, 3, 7, 14, 28, 56, 91, 182, 364};

std::int64_t DayStep(std::int64_t span) {
    std::size_t i = 0;
    std::int64_t step = kDaySteps[i];
    while (span / step + 1 > kMostChartTicks) step = ++i < kDaySteps.size() ? kDaySteps[i] : step * 2;
    return step;
}

// The first of 1, 2 and 5 times a power of ten that spans [low, high] in few enough ticks.
std::int64_t CountStep(std::int64_t low, std::int64_t high) {
    for (std::int64_t power = 1;; power *= 10) {
        for (const std::int64_t factor : {1, 2, 5}) {
            const std::int64_t step = factor * power;
            const std::int64_t from = low >= 0 ? low / step * step : -((-low + step - 1) / step) * step;
            const std::int64_t to = (high + step - 1) / step * step;
            if ((to - from) / step + 1 <= kMostChartTicks) return step;
        }
    }
}

ChartAxis DaysAxis(std::int64_t first, std::int64_t last) {
    ChartAxis axis;
    if (first == last) {
        // One date: in the middle, labelled once.
        axis.low = static_cast<double>(first) - 0.5;
        axis.high = static_cast<double>(first) + 0.5;
        axis.ticks.push_back({static_cast<double>(first), IsoDate(DateOfDay(first))});
        return axis;
    }
    axis.low = static_cast<double>(first);
    axis.high = static_cast<double>(last);
    const std::int64_t step = DayStep(last - first);
    for (std::int64_t day = first; day <= last; day += step) {
        axis.ticks.push_back({static_cast<double>(day), IsoDate(DateOfDay(day))});
    }
    return axis;
}

ChartAxis CountsAxis(std::int64_t lowest, std::int64_t highest) {
    const std::int64_t step = CountStep(lowest, highest);
    const std::int64_t from = lowest >= 0 ? lowest / step * step : -((-lowest + step - 1) / step) * step;
    const std::int64_t to = (highest + step - 1) / step * step;
    ChartAxis axis;
    axis.low = static_cast<double>(from);
    axis.high = static_cast<double>(to);
    for (std::int64_t count = from; count <= to; count += step) {
        axis.ticks.push_back({static_cast<double>(count), std::to_string(count)});
    }
    axis.title = Message::Of(historytext::kCounts);
    return axis;
}

ChartLine Band(std::int32_t threshold, Rgb colour, Text name, double from, double to) {
    ChartLine line{"band" + std::to_string(threshold), Message::Of(name), colour, kCountLineWidth, ChartStroke::Dashed,
                   {}};
    line.points = {{from, static_cast<double>(threshold)}, {to, static_cast<double>(threshold)}};
    return line;
}

}  // namespace

const ChartLine* WearChartModel::Find(const std::string& key) const {
    const auto found = std::find_if(lines.begin(), lines.end(), [&](const ChartLine& line) { return line.key == key; });
    return found == lines.end() ? nullptr : &*found;
}

Rgb PinLineColour(int index) {
    // Hues 40 degrees apart at one saturation and value, so that no two of the nine look alike.
    const double hue = static_cast<double>((index * 40) % 360) / 60.0;
    constexpr double value = 200.0 / 255.0, saturation = 200.0 / 255.0;
    const double chroma = value * saturation;
    const double second = chroma * (1.0 - std::fabs(std::fmod(hue, 2.0) - 1.0));
    const double base = value - chroma;
    std::array<double, 3> rgb{};
    switch (static_cast<int>(hue)) {
    case 0: rgb = {chroma, second, 0}; break;
    case 1: rgb = {second, chroma, 0}; break;
    case 2: rgb = {0, chroma, second}; break;
    case 3: rgb = {0, second, chroma}; break;
    case 4: rgb = {second, 0, chroma}; break;
    default: rgb = {chroma, 0, second}; break;
    }
    const auto byte = [base](double part) { return static_cast<std::uint8_t>(std::lround((part + base) * 255.0)); };
    return {byte(rgb[0]), byte(rgb[1]), byte(rgb[2])};
}

WearChartModel MakeWearChart(std::span<const CounterSample> samples, RecordDate today) {
    WearChartModel chart;
    const auto printer = NewestPrinter(samples, today);
    if (!printer) {
        chart.title = Message::Of(historytext::kNoSamples);
        return chart;
    }
    chart.hasSamples = true;
    chart.title = Message::Of(historytext::kWearOf, {*printer});
    const WearForecast forecast = ForecastWear(samples, *printer, today);

    std::vector<const CounterSample*> own;
    for (const auto& sample : samples) {
        if (sample.printer == *printer && !(today < sample.date)) own.push_back(&sample);
    }
    std::stable_sort(own.begin(), own.end(), [](const auto* a, const auto* b) { return a->date < b->date; });
    const std::int64_t first = DayNumber(own.front()->date);
    const std::int64_t newest = DayNumber(forecast.newest);

    std::int64_t last = newest;
    std::int64_t lowest = 0;
    std::int64_t highest = kRedFromCount + kCountsPerSegment;
    std::vector<ChartLine> pins;
    for (std::size_t i = 0; i < forecast.pins.size(); ++i) {
        const PinForecast& pin = forecast.pins[i];
        const int index = static_cast<int>(i);
        ChartLine counts{"pin" + std::to_string(pin.pin), Message::Of(historytext::kPinLine, {std::to_string(pin.pin)}),
                         PinLineColour(index), kCountLineWidth, ChartStroke::Solid, {}};
        for (const auto* sample : own) {
            const std::int32_t count = sample->counters.PinCounter[i];
            counts.points.push_back({static_cast<double>(DayNumber(sample->date)), static_cast<double>(count)});
            lowest = std::min<std::int64_t>(lowest, count);
            highest = std::max<std::int64_t>(highest, count);
        }
        pins.push_back(std::move(counts));
        if (!pin.perDay || !(*pin.perDay > 0) || !pin.daysToRed || *pin.daysToRed == 0) continue;
        const std::int64_t days = std::min(*pin.daysToRed, kLongestForecastDays);
        const double reached = pin.count + *pin.perDay * static_cast<double>(days);
        pins.push_back({"forecast" + std::to_string(pin.pin), std::nullopt, PinLineColour(index), kForecastWidth,
                        ChartStroke::Dotted,
                        {{static_cast<double>(newest), static_cast<double>(pin.count)},
                         {static_cast<double>(newest + days), reached}}});
        last = std::max(last, newest + days);
        highest = std::max(highest, static_cast<std::int64_t>(std::ceil(reached)));
    }
    chart.days = DaysAxis(first, last);
    chart.counts = CountsAxis(lowest, highest);
    chart.lines.push_back(Band(kYellowFromCount, kYellowLine, historytext::kYellowBand, chart.days.low, chart.days.high));
    chart.lines.push_back(Band(kRedFromCount, kRedLine, historytext::kRedBand, chart.days.low, chart.days.high));
    for (auto& line : pins) chart.lines.push_back(std::move(line));
    return chart;
}

}  // namespace zt40
