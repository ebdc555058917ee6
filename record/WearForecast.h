#pragma once
// When each pin of one printer will reach the yellow and the red band, from the counter
// samples: the wear rate over the last month, fitted by least squares.
#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/WearBands.h"
#include "platform/Text.h"

#include "platform/PinRange.h"
#include "record/CounterSamples.h"

namespace zt40 {

// Samples older than this many days before the printer's newest one say nothing of today's rate.
inline constexpr int kForecastWindowDays = 30;

struct PinForecast {
    bool operator==(const PinForecast&) const = default;
    int pin = 0;  // 1..9
    std::int32_t count = 0;  // as read now when the forecast was given a reading, else in the newest sample
    std::optional<double> perDay;  // counts per day; nothing with too few samples
    std::optional<std::int64_t> daysToYellow;  // whole days; 0 when already there
    std::optional<std::int64_t> daysToRed;
};

struct WearForecast {
    std::string printer;
    bool found = false;  // the printer has at least one sample
    RecordDate newest;   // the date of its newest sample
    std::size_t futureSamples = 0;  // of the printer, dated after today and so not used
    std::array<PinForecast, kPinCount> pins{};
};

// The printer of the newest sample not dated after `today` (the later line among samples of the
// same date).
std::optional<std::string> NewestPrinter(std::span<const CounterSample> samples, RecordDate today);

// Rows of other printers are passed over, and so are samples dated after `today`: a clock that was
// wrong once must not leave a sample that stays the newest for years. Per pin, only the samples
// after the last drop of its count (a new head, a reset) are fitted, and a rate needs two different
// dates. With `now`, the printer's counters as just read, the days are counted from them at the
// samples' rate: the day's sample may be hours old. A count below the newest sample's is a new
// series that has no rate yet.
WearForecast ForecastWear(std::span<const CounterSample> samples, std::string_view printer, RecordDate today,
                          const std::optional<UsageCounters>& now = std::nullopt);

// The whole days until `count` reaches `threshold` at `perDay`: 0 when it is there already,
// nothing when it is not and the count does not rise.
std::optional<std::int64_t> DaysUntil(std::int32_t count, std::int32_t threshold, std::optional<double> perDay);

// A pin that has entered a worse band than it was in; a pin that passed yellow and red at once
// is told of red only.
struct BandCrossing {
    int pin = 0;  // 1..9
    WearBand band = WearBand::Yellow;
    std::int32_t count = 0;
    bool operator==(const BandCrossing&) const = default;
};
std::vector<BandCrossing> BandCrossings(const UsageCounters& before, const UsageCounters& now);

// For a bar's tip: "red in about 23 days", "yellow in about 4 days, red in about 23 days", "in
// the red band"; nothing when the forecast knows no day.
std::optional<Message> ForecastText(const PinForecast& pin);
// A bar's tip before its forecast: "Pin 3: 7210000 counts".
Message UsageTip(int pin, std::int32_t count);
// The operator's notice of one crossing, with the advice.
Message CrossingText(const BandCrossing& crossing);

}  // namespace zt40
