// The Wear view's model: which samples become lines, where the forecast ends, and axes whose
// ticks never repeat a date nor run past the last thing drawn.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <ostream>
#include <set>
#include <tuple>

#include "app/WearChartModel.h"
#include "record/HistoryTexts.h"

namespace zt40 {
namespace {

constexpr RecordDate kToday{2026, 12, 8};
const std::int64_t kTodayNumber = DayNumber(kToday);

CounterSample Sample(int offset, const char* printer, std::int32_t pin1, std::int32_t pin2 = 0) {
    CounterSample sample{DateOfDay(kTodayNumber + offset), printer, {}};
    sample.counters.PinCounter = {pin1, pin2};
    return sample;
}

struct Case {
    const char* what;
    std::vector<CounterSample> samples;
    const char* printer;
    std::size_t points;              // each pin's, the same for all nine
    std::vector<int> forecastPins;   // the pins drawn on ahead
    double axisEnd;                  // days after today
    double lowestTop;                // the counts axis reaches at least this
};

void PrintTo(const Case& c, std::ostream* out) { *out << c.what; }

class WearChartCases : public ::testing::TestWithParam<Case> {};

TEST_P(WearChartCases, DrawsTheNewestPrinterWithinItsAxes) {
    const Case& c = GetParam();
    const WearChartModel chart = MakeWearChart(c.samples, kToday);
    ASSERT_TRUE(chart.hasSamples);
    EXPECT_EQ(chart.title.English(), Message::Of(historytext::kWearOf, {c.printer}).English());
    for (int pin = 1; pin <= kPinCount; ++pin) {
        const ChartLine* counts = chart.Find("pin" + std::to_string(pin));
        ASSERT_NE(counts, nullptr) << pin;
        EXPECT_EQ(counts->points.size(), c.points) << pin;
        const bool ahead = std::find(c.forecastPins.begin(), c.forecastPins.end(), pin) != c.forecastPins.end();
        EXPECT_EQ(chart.Find("forecast" + std::to_string(pin)) != nullptr, ahead) << pin;
    }
    EXPECT_EQ(chart.days.high, static_cast<double>(kTodayNumber) + c.axisEnd);
    EXPECT_GE(chart.counts.high, c.lowestTop);
    for (const ChartAxis* axis : {&chart.days, &chart.counts}) {
        EXPECT_LT(axis->low, axis->high);
        ASSERT_FALSE(axis->ticks.empty());
        EXPECT_LE(axis->ticks.size(), static_cast<std::size_t>(kMostChartTicks));
        std::set<std::string> labels;
        for (std::size_t i = 0; i < axis->ticks.size(); ++i) {
            EXPECT_TRUE(labels.insert(axis->ticks[i].label).second) << axis->ticks[i].label << " twice";
            EXPECT_GE(axis->ticks[i].at, axis->low);
            EXPECT_LE(axis->ticks[i].at, axis->high);
            if (i > 0) {
                EXPECT_GT(axis->ticks[i].at, axis->ticks[i - 1].at);
            }
        }
    }
    for (const ChartLine& line : chart.lines) {
        for (const ChartPoint& point : line.points) {
            EXPECT_TRUE(point.day >= chart.days.low && point.day <= chart.days.high) << line.key;
            EXPECT_TRUE(point.count >= chart.counts.low && point.count <= chart.counts.high) << line.key;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Samples, WearChartCases,
    ::testing::Values(
        // Half a day on either side of the one date.
        Case{"one sample", {Sample(0, "A", 5'000'000)}, "A", 1, {}, 0.5, 11'000'000},
        // B has the newest sample; A's older ones are not drawn. Pin 1 reaches red in 28 days.
        Case{"two printers",
             {Sample(-10, "A", 1), Sample(-2, "B", 7'000'000), Sample(-9, "A", 2), Sample(-1, "B", 7'100'000),
              Sample(0, "B", 7'200'000)},
             "B", 3, {1}, 28, 11'000'000},
        // 1,000 a day from 1,000,000: red in 9,000 days, drawn for a year only.
        Case{"beyond a year", {Sample(-1, "A", 999'000), Sample(0, "A", 1'000'000)}, "A", 2, {1}, 365, 11'000'000},
        // Pin 1 is red already, pin 2 is ten days from it.
        Case{"a pin already red",
             {Sample(-1, "A", 10'400'000, 8'900'000), Sample(0, "A", 10'500'000, 9'000'000)},
             "A", 2, {2}, 10, 10'500'000},
        // A new head: the rate is the new head's, 100,000 a day from 200,000; the old counts stay on.
        Case{"a drop after a new head",
             {Sample(-3, "A", 11'500'000), Sample(-2, "A", 11'600'000), Sample(-1, "A", 100'000),
              Sample(0, "A", 200'000)},
             "A", 4, {1}, 98, 11'600'000},
        Case{"a sample dated later", {Sample(-1, "A", 0), Sample(0, "A", 0), Sample(40, "A", 9'000'000)}, "A", 2, {},
             0, 11'000'000}),
    [](const ::testing::TestParamInfo<Case>& param) {
        std::string name = param.param.what;
        for (char& c : name) c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
        return name;
    });

TEST(WearChart, OneDateIsLabelledOnceInTheMiddle) {
    const WearChartModel chart = MakeWearChart(std::vector{Sample(0, "A", 1), Sample(0, "A", 2)}, kToday);
    ASSERT_EQ(chart.days.ticks.size(), 1u);
    EXPECT_EQ(chart.days.ticks[0], (ChartTick{static_cast<double>(kTodayNumber), "2026-12-08"}));
    EXPECT_DOUBLE_EQ(chart.days.high - chart.days.ticks[0].at, chart.days.ticks[0].at - chart.days.low);
}

TEST(WearChart, TheForecastEndsAtTheRedBandAndTheBandsSpanTheAxis) {
    const WearChartModel chart =
        MakeWearChart(std::vector{Sample(-2, "A", 7'000'000), Sample(-1, "A", 7'100'000), Sample(0, "A", 7'200'000)},
                      kToday);
    const ChartLine* ahead = chart.Find("forecast1");
    ASSERT_NE(ahead, nullptr);
    EXPECT_EQ(ahead->points.front(), (ChartPoint{static_cast<double>(kTodayNumber), 7'200'000}));
    EXPECT_EQ(ahead->points.back(), (ChartPoint{static_cast<double>(kTodayNumber + 28), 10'000'000}));
    EXPECT_FALSE(ahead->legend);
    EXPECT_EQ(ahead->stroke, ChartStroke::Dotted);
    for (const char* band : {"band8000000", "band10000000"}) {
        const ChartLine* line = chart.Find(band);
        ASSERT_NE(line, nullptr) << band;
        EXPECT_EQ(line->stroke, ChartStroke::Dashed);
        EXPECT_EQ(line->points.front().day, chart.days.low);
        EXPECT_EQ(line->points.back().day, chart.days.high);
    }
    EXPECT_EQ(chart.counts.ticks.back().label, "12000000");
}

TEST(WearChart, WithoutSamplesOnlyTheTitleSaysSo) {
    const WearChartModel chart = MakeWearChart(std::vector{Sample(5, "A", 1)}, kToday);
    EXPECT_FALSE(chart.hasSamples);
    EXPECT_EQ(chart.title.English(), historytext::kNoSamples.source);
    EXPECT_TRUE(chart.lines.empty());
}

TEST(WearChart, NoTwoPinsShareAColour) {
    std::set<std::tuple<int, int, int>> colours;
    for (int index = 0; index < kPinCount; ++index) {
        const Rgb colour = PinLineColour(index);
        EXPECT_TRUE(colours.insert({colour.r, colour.g, colour.b}).second) << index;
    }
}

}  // namespace
}  // namespace zt40
