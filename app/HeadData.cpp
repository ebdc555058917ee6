#include "app/HeadData.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <thread>

namespace zt40 {

namespace {

// The device reads and writes raw words; the groups hold them signed.
template <typename Out, typename In, std::size_t N>
std::array<Out, N> Reinterpret(const std::array<In, N>& values) {
    std::array<Out, N> out{};
    std::ranges::transform(values, out.begin(), [](In v) { return static_cast<Out>(v); });
    return out;
}

void Note(HeadReadResult& result, bool ok, HeadItem item, int pin = 0) {
    if (!ok && result.Ok()) result = {item, pin};
}

}  // namespace

void SleepPause(std::uint32_t ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

bool IsReady(std::uint16_t status, ReadyRule rule) {
    if (rule == ReadyRule::StatusIsOne) return status == 1;
    return status != kStatusUnknown && (status & 3) == 1;
}

std::uint16_t WaitForReady(CHeadDevice& device, IClock& clock, const PauseFn& pause, ReadyRule rule,
                           std::uint32_t boundMs) {
    const std::uint32_t start = clock.NowMs();
    for (;;) {
        const std::uint16_t status = device.GetStatus();
        if (status == kStatusUnknown || IsReady(status, rule)) return status;
        // Unsigned difference: correct across the tick's wrap at 2^32.
        if (clock.NowMs() - start >= boundMs) return status;
        if (pause) pause(kReadyPollPauseMs);
    }
}

HeadReadResult ReadUsageCounterGroup(CHeadDevice& device, UsageCounters& counters) {
    HeadReadResult result;
    auto total = static_cast<std::uint32_t>(counters.TotalCounter);
    Note(result, device.ReadTotalCounter(total), HeadItem::TotalCounter);
    counters.TotalCounter = static_cast<std::int32_t>(total);
    for (int pin = kFirstPin; pin <= kLastPin; ++pin) {
        auto& field = counters.PinCounter[static_cast<std::size_t>(pin - kFirstPin)];
        auto value = static_cast<std::uint32_t>(field);
        Note(result, device.ReadPinCounter(static_cast<std::uint8_t>(pin), value), HeadItem::PinCounter, pin);
        field = static_cast<std::int32_t>(value);
    }
    auto heads = Reinterpret<std::uint16_t>(counters.HeadCounters);
    Note(result, device.ReadHeadCounters(heads), HeadItem::HeadCounters);
    counters.HeadCounters = Reinterpret<std::int16_t>(heads);
    return result;
}

HeadReadResult ReadHeadGroups(CHeadDevice& device, PinSettings& settings, UsageCounters& counters) {
    HeadReadResult result;
    auto pair = Reinterpret<std::uint16_t>(settings.WordPair);
    Note(result, device.ReadWordPair(pair), HeadItem::WordPair);
    settings.WordPair = Reinterpret<std::int16_t>(pair);
    settings.SelectedPin = device.ReadSelectedPin();
    Note(result, settings.SelectedPin >= 0, HeadItem::SelectedPin);
    auto adjustments = Reinterpret<std::uint16_t>(settings.PinAdjustments);
    Note(result, device.ReadPinAdjustments(adjustments), HeadItem::PinAdjustments);
    settings.PinAdjustments = Reinterpret<std::int16_t>(adjustments);
    const HeadReadResult countersRead = ReadUsageCounterGroup(device, counters);
    if (result.Ok()) result = countersRead;
    return result;
}

}  // namespace zt40
