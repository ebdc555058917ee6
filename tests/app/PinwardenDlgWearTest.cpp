// The window's read of a ready printer keeps the day's counter sample, tells of each pin that
// entered a worse band since the sample before once, and hands the bars their forecast.
#include <gtest/gtest.h>

#include <chrono>

#include "record/CounterSamples.h"
#include "support/DialogRig.h"
#include "support/TempRecordFile.h"

namespace zt40::testing {
namespace {

RecordDate Yesterday() {
    using namespace std::chrono;
    const year_month_day date{sys_days(days(DayNumber(LocalDate()) - 1))};
    return {static_cast<int>(date.year()), static_cast<int>(static_cast<unsigned>(date.month())),
            static_cast<int>(static_cast<unsigned>(date.day()))};
}

class PinwardenDlgWear : public ::testing::Test {
protected:
    void SetUp() override { rig.dlg->SetUsageRecordPlatform(platform); }
    DialogRig rig;
    TempRecordFile records;
    UsageRecordPlatform platform = records.Platform();
};

TEST_F(PinwardenDlgWear, CrossingsAreToldOnceOnTheDayTheirSampleIsKept) {
    UsageCounters before;
    before.PinCounter = {100, 7'000'000, 0, 0, 0, 0, 7'900'000, 7'999'999, 9'900'000};
    ASSERT_EQ(AppendSample(platform, {Yesterday(), "SIM0001", before}).outcome, SampleAppend::Added);
    rig.State().pinCounters = {100, 10'000'000, 0, 0, 0, 0, 7'950'000, 8'100'000, 11'000'000};

    rig.StartReady();
    ASSERT_EQ(rig.view.wearNotices.size(), 1u);
    // Pin 2 went from green straight to red: told of red only. Pin 7 stayed green.
    const std::vector<BandCrossing> expected{{2, WearBand::Red, 10'000'000},
                                             {8, WearBand::Yellow, 8'100'000},
                                             {9, WearBand::Red, 11'000'000}};
    EXPECT_EQ(rig.view.wearNotices[0], expected);
    const auto samples = ReadSamples(platform).samples;
    ASSERT_EQ(samples.size(), 2u);
    EXPECT_EQ(samples[1].date, LocalDate());
    EXPECT_EQ(samples[1].counters.PinCounter[7], 8'100'000);

    // 1,900,000 to go at 100,001 a day: 18 whole days to red.
    const auto& forecast = rig.dlg->Data().forecast;
    EXPECT_EQ(forecast[7].daysToYellow, 0);
    EXPECT_EQ(forecast[7].daysToRed, 18);
    EXPECT_EQ(forecast[6].daysToYellow, 1);
    EXPECT_EQ(rig.view.pushed.back().forecast, forecast);

    rig.dlg->OnRefresh();
    EXPECT_EQ(rig.view.wearNotices.size(), 1u);  // the day has its sample: nothing told twice
    EXPECT_EQ(ReadSamples(platform).samples.size(), 2u);
}

TEST_F(PinwardenDlgWear, FirstSampleTellsNothing) {
    rig.State().pinCounters = {11'000'000, 11'000'000, 0, 0, 0, 0, 0, 8'100'000, 0};
    rig.StartReady();
    EXPECT_TRUE(rig.view.wearNotices.empty());
    ASSERT_EQ(ReadSamples(platform).samples.size(), 1u);
    EXPECT_EQ(ReadSamples(platform).samples[0].printer, "SIM0001");
    EXPECT_EQ(rig.dlg->Data().forecast[0].daysToRed, 0);  // in the red band, rate or not
}

}  // namespace
}  // namespace zt40::testing
