#include "record/WearForecast.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "platform/WearBands.h"

namespace zt40 {

std::optional<std::string> NewestPrinter(std::span<const CounterSample> samples) {
    const CounterSample* newest = nullptr;
    for (const auto& sample : samples) {
        if (newest == nullptr || !(sample.date < newest->date)) newest = &sample;
    }
    if (newest == nullptr) return std::nullopt;
    return newest->printer;
}

std::optional<std::int64_t> DaysUntil(std::int32_t count, std::int32_t threshold, std::optional<double> perDay) {
    if (count >= threshold) return 0;
    if (!perDay || !(*perDay > 0.0)) return std::nullopt;
    const double days = std::floor((static_cast<double>(threshold) - static_cast<double>(count)) / *perDay);
    // A rate of a few counts a year says "never" as well as nothing does.
    if (!(days < 1e12)) return std::nullopt;
    return static_cast<std::int64_t>(days);
}

namespace {

struct Point {
    std::int64_t day = 0;  // relative to the newest sample, so never far from 0
    std::int32_t count = 0;
};

// The least-squares slope, or nothing when all points share one date.
std::optional<double> Slope(std::span<const Point> points) {
    if (points.size() < 2) return std::nullopt;
    double meanDay = 0, meanCount = 0;
    for (const auto& point : points) {
        meanDay += static_cast<double>(point.day);
        meanCount += static_cast<double>(point.count);
    }
    const auto n = static_cast<double>(points.size());
    meanDay /= n;
    meanCount /= n;
    double cross = 0, spread = 0;
    for (const auto& point : points) {
        const double dx = static_cast<double>(point.day) - meanDay;
        cross += dx * (static_cast<double>(point.count) - meanCount);
        spread += dx * dx;
    }
    if (spread == 0) return std::nullopt;
    return cross / spread;
}

}  // namespace

WearForecast ForecastWear(std::span<const CounterSample> samples, std::string_view printer) {
    WearForecast forecast;
    forecast.printer = std::string(printer);
    std::vector<const CounterSample*> own;
    for (const auto& sample : samples) {
        if (sample.printer == printer) own.push_back(&sample);
    }
    for (std::size_t i = 0; i < forecast.pins.size(); ++i) forecast.pins[i].pin = static_cast<int>(i) + kFirstPin;
    if (own.empty()) return forecast;
    // By date; samples of one date keep their file order.
    std::stable_sort(own.begin(), own.end(), [](const auto* a, const auto* b) { return a->date < b->date; });
    forecast.found = true;
    forecast.newest = own.back()->date;
    const std::int64_t newestDay = DayNumber(forecast.newest);
    std::erase_if(own, [newestDay](const auto* sample) { return newestDay - DayNumber(sample->date) > kForecastWindowDays; });

    for (std::size_t i = 0; i < forecast.pins.size(); ++i) {
        std::vector<Point> series;
        for (const auto* sample : own) {
            const Point point{DayNumber(sample->date) - newestDay, sample->counters.PinCounter[i]};
            if (!series.empty() && point.count < series.back().count) series.clear();
            series.push_back(point);
        }
        auto& pin = forecast.pins[i];
        pin.count = series.back().count;
        pin.perDay = Slope(series);
        pin.daysToYellow = DaysUntil(pin.count, kYellowFromCount, pin.perDay);
        pin.daysToRed = DaysUntil(pin.count, kRedFromCount, pin.perDay);
    }
    return forecast;
}

}  // namespace zt40
