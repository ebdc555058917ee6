// The wear forecast: which samples count, the fitted rate, and the days rounded down.
#include <gtest/gtest.h>

#include <chrono>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "platform/WearBands.h"
#include "record/WearForecast.h"

namespace zt40 {
namespace {

// Day 0 is the newest sample's date in most cases; the months around it have 30 and 31 days.
RecordDate DateAt(int offset) {
    using namespace std::chrono;
    const year_month_day date{sys_days(year(2026) / December / 8) + days(offset)};
    return {static_cast<int>(date.year()), static_cast<int>(static_cast<unsigned>(date.month())),
            static_cast<int>(static_cast<unsigned>(date.day()))};
}

struct Row {
    int day;
    std::int32_t count;  // pin 1's count; the other pins stay at 0
    std::string printer = "ZT4000123";
};

struct ForecastCase {
    const char* name;
    std::vector<Row> rows;
    std::int32_t count;
    std::optional<double> perDay;
    std::optional<std::int64_t> daysToYellow;
    std::optional<std::int64_t> daysToRed;
};

std::vector<CounterSample> Samples(const std::vector<Row>& rows) {
    std::vector<CounterSample> samples;
    for (const auto& row : rows) {
        CounterSample sample;
        sample.date = DateAt(row.day);
        sample.printer = row.printer;
        sample.counters.PinCounter[0] = row.count;
        samples.push_back(sample);
    }
    return samples;
}

class Forecast : public ::testing::TestWithParam<ForecastCase> {};

TEST_P(Forecast, PinOne) {
    const auto& c = GetParam();
    const auto samples = Samples(c.rows);
    const auto forecast = ForecastWear(samples, "ZT4000123", DateAt(0));
    ASSERT_TRUE(forecast.found);
    const auto& pin = forecast.pins[0];
    EXPECT_EQ(pin.pin, 1);
    EXPECT_EQ(pin.count, c.count);
    ASSERT_EQ(pin.perDay.has_value(), c.perDay.has_value());
    if (c.perDay) {
        EXPECT_NEAR(*pin.perDay, *c.perDay, 1e-6);
    }
    EXPECT_EQ(pin.daysToYellow, c.daysToYellow);
    EXPECT_EQ(pin.daysToRed, c.daysToRed);
}

const ForecastCase kCases[] = {
    {"Steady", {{-2, 7'000'000}, {-1, 7'100'000}, {0, 7'200'000}}, 7'200'000, 100'000.0, 8, 28},
    // 1,000,000 / 70,000 = 14.29 and 3,000,000 / 70,000 = 42.86: rounded down, never up.
    {"RoundsDown", {{-1, 6'930'000}, {0, 7'000'000}}, 7'000'000, 70'000.0, 14, 42},
    // 2,000,000 / 250,000 = 8 exactly.
    {"ExactDaysStay", {{-4, 7'000'000}, {0, 8'000'000}}, 8'000'000, 250'000.0, 0, 8},
    // The end points alone would give 116,667 a day, the last two 50,000.
    {"LeastSquaresNotEndPoints", {{-3, 7'000'000}, {-2, 7'300'000}, {-1, 7'300'000}, {0, 7'350'000}}, 7'350'000,
     105'000.0, 6, 25},
    {"ServesTheSeriesAfterADrop",
     {{-4, 9'500'000}, {-3, 9'700'000}, {-2, 100'000}, {-1, 200'000}, {0, 300'000}}, 300'000, 100'000.0, 77, 97},
    {"DropOnTheNewestDayLeavesOneSample", {{-2, 9'500'000}, {-1, 9'700'000}, {0, 100'000}}, 100'000, std::nullopt,
     std::nullopt, std::nullopt},
    // Day -31 lies outside the window: with it, the rate would be about 200,000 a day.
    {"ThirtyDayWindow", {{-31, 1'000'000}, {-30, 7'000'000}, {0, 7'300'000}}, 7'300'000, 10'000.0, 70, 270},
    {"WindowIsInclusiveAtThirtyDays", {{-30, 7'000'000}, {0, 7'300'000}}, 7'300'000, 10'000.0, 70, 270},
    {"WindowCanLeaveOneSample", {{-40, 7'000'000}, {-31, 7'100'000}, {0, 7'300'000}}, 7'300'000, std::nullopt,
     std::nullopt, std::nullopt},
    {"OtherPrintersRowsPassedOver",
     {{-1, 7'000'000}, {-1, 500'000, "ZT4000999"}, {0, 7'500'000, "port:1-1.4"}, {0, 7'100'000},
      {45, 9'000'000, "ZT4000999"}},
     7'100'000, 100'000.0, 9, 29},
    {"OneSample", {{0, 7'000'000}}, 7'000'000, std::nullopt, std::nullopt, std::nullopt},
    {"TwoSamplesOneDate", {{0, 7'000'000}, {0, 7'050'000}}, 7'050'000, std::nullopt, std::nullopt, std::nullopt},
    {"Flat", {{-2, 7'000'000}, {-1, 7'000'000}, {0, 7'000'000}}, 7'000'000, 0.0, std::nullopt, std::nullopt},
    // Every fall starts a new series, so a falling count never yields a rate.
    {"Falling", {{-2, 7'300'000}, {-1, 7'200'000}, {0, 7'100'000}}, 7'100'000, std::nullopt, std::nullopt,
     std::nullopt},
    {"AlreadyYellow", {{-1, 8'400'000}, {0, 8'500'000}}, 8'500'000, 100'000.0, 0, 15},
    {"AlreadyYellowAndFlat", {{-1, 8'500'000}, {0, 8'500'000}}, 8'500'000, 0.0, 0, std::nullopt},
    {"AlreadyRedWithoutARate", {{0, 10'000'000}}, 10'000'000, std::nullopt, 0, 0},
    {"FileOrderIsNotDateOrder", {{0, 7'200'000}, {-2, 7'000'000}, {-1, 7'100'000}}, 7'200'000, 100'000.0, 8, 28},
    {"AcrossAMonthEnd", {{-8, 7'000'000}, {-7, 7'100'000}}, 7'100'000, 100'000.0, 9, 29},
};

INSTANTIATE_TEST_SUITE_P(Cases, Forecast, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<ForecastCase>& param) { return std::string(param.param.name); });

TEST(Forecast, EachPinHasItsOwnSeries) {
    std::vector<CounterSample> samples(3);
    for (int i = 0; i < 3; ++i) {
        samples[static_cast<std::size_t>(i)].date = DateAt(i - 2);
        samples[static_cast<std::size_t>(i)].printer = "ZT4000123";
        samples[static_cast<std::size_t>(i)].counters.PinCounter = {7'000'000 + i * 100'000, i == 2 ? 0 : 9'000'000};
    }
    const auto forecast = ForecastWear(samples, "ZT4000123", DateAt(0));
    EXPECT_EQ(forecast.pins[0].daysToYellow, 8);
    EXPECT_EQ(forecast.pins[1].count, 0);
    EXPECT_FALSE(forecast.pins[1].perDay);  // pin 2 was replaced on the newest day
    EXPECT_EQ(forecast.pins[2].perDay, 0.0);  // pin 3 never moved
    EXPECT_EQ(forecast.pins[8].pin, 9);
    EXPECT_EQ(forecast.newest, DateAt(0));
}

TEST(Forecast, UnknownPrinterFindsNothing) {
    const auto samples = Samples({{0, 7'000'000}, {1, 7'100'000}});
    const auto forecast = ForecastWear(samples, "ZT4000999", DateAt(0));
    EXPECT_FALSE(forecast.found);
    for (const auto& pin : forecast.pins) EXPECT_FALSE(pin.perDay || pin.daysToYellow || pin.daysToRed);
}

TEST(Forecast, NewestPrinterIsTheLaterLineOfTheNewestDate) {
    EXPECT_EQ(NewestPrinter(Samples({}), DateAt(0)), std::nullopt);
    EXPECT_EQ(NewestPrinter(Samples({{0, 1, "A"}, {-1, 1, "B"}}), DateAt(0)), "A");
    EXPECT_EQ(NewestPrinter(Samples({{0, 1, "A"}, {0, 1, "B"}, {-3, 1, "C"}}), DateAt(0)), "B");
    EXPECT_EQ(NewestPrinter(Samples({{-1, 1, "A"}, {1, 1, "B"}}), DateAt(0)), "A");  // B's date is after today
}

TEST(Forecast, DaysUntilAtTheEdges) {
    EXPECT_EQ(DaysUntil(kYellowFromCount - 1, kYellowFromCount, 1.0), 1);
    EXPECT_EQ(DaysUntil(kYellowFromCount - 1, kYellowFromCount, 2.0), 0);  // half a day away
    EXPECT_EQ(DaysUntil(kRedFromCount, kRedFromCount, std::nullopt), 0);
    EXPECT_EQ(DaysUntil(0, kRedFromCount, -5.0), std::nullopt);
    EXPECT_EQ(DaysUntil(0, kRedFromCount, 1e-9), std::nullopt);  // "never" fits no day count
    EXPECT_EQ(DaysUntil(-5, kYellowFromCount, 1'000'000.0), 8);
    EXPECT_EQ(DaysUntil(std::numeric_limits<std::int32_t>::min(), kRedFromCount, 1e9), 2);
}

}  // namespace
}  // namespace zt40
