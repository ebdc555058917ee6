#include "record/WearForecast.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "platform/WearBands.h"

namespace zt40 {

std::optional<std::string> NewestPrinter(std::span<const CounterSample> samples, RecordDate today) {
    const CounterSample* newest = nullptr;
    for (const auto& sample : samples) {
        if (today < sample.date) continue;
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

WearForecast ForecastWear(std::span<const CounterSample> samples, std::string_view printer, RecordDate today,
                          const std::optional<UsageCounters>& now) {
    WearForecast forecast;
    forecast.printer = std::string(printer);
    std::vector<const CounterSample*> own;
    for (const auto& sample : samples) {
        if (sample.printer != printer) continue;
        if (today < sample.date) {
            ++forecast.futureSamples;
        } else {
            own.push_back(&sample);
        }
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
        if (now) {
            pin.count = now->PinCounter[i];
            if (pin.count < series.back().count) pin.perDay.reset();
        }
        pin.daysToYellow = DaysUntil(pin.count, kYellowFromCount, pin.perDay);
        pin.daysToRed = DaysUntil(pin.count, kRedFromCount, pin.perDay);
    }
    return forecast;
}

std::vector<BandCrossing> BandCrossings(const UsageCounters& before, const UsageCounters& now) {
    std::vector<BandCrossing> crossings;
    for (std::size_t i = 0; i < now.PinCounter.size(); ++i) {
        const WearBand band = BandOfCount(now.PinCounter[i]);
        if (band > BandOfCount(before.PinCounter[i])) {
            crossings.push_back({static_cast<int>(i) + kFirstPin, band, now.PinCounter[i]});
        }
    }
    return crossings;
}

std::optional<Message> ForecastText(const PinForecast& pin) {
    const auto days = [](std::int64_t count) { return std::to_string(count); };
    if (pin.daysToRed == 0) return Message::Of(ZT40_TR("WearForecast", "in the red band: change the marking pin"));
    if (pin.daysToYellow == 0) {
        if (!pin.daysToRed) return Message::Of(ZT40_TR("WearForecast", "in the yellow band"));
        return Message::Of(ZT40_TR("WearForecast", "in the yellow band, red in about %1 days"), {days(*pin.daysToRed)});
    }
    if (!pin.daysToYellow || !pin.daysToRed) return std::nullopt;
    return Message::Of(ZT40_TR("WearForecast", "yellow in about %1 days, red in about %2 days"),
                       {days(*pin.daysToYellow), days(*pin.daysToRed)});
}

Message UsageTip(int pin, std::int32_t count) {
    return Message::Of(ZT40_TR("WearForecast", "Pin %1: %2 counts"), {std::to_string(pin), std::to_string(count)});
}

Message CrossingText(const BandCrossing& crossing) {
    const std::string pin = std::to_string(crossing.pin);
    if (crossing.band == WearBand::Red) {
        return Message::Of(ZT40_TR("WearForecast", "Pin %1 of the ZT-40 has reached the red band: change the marking pin."),
                           {pin});
    }
    return Message::Of(
        ZT40_TR("WearForecast", "Pin %1 of the ZT-40 has reached the yellow band: plan to change the marking pin."), {pin});
}

}  // namespace zt40
