#include "session/GroupGateway.h"

#include <algorithm>
#include <array>

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

// A printer that fails one read is not asked the rest: when it has gone silent, each further
// read would wait out its own time-out, and the window would wait minutes for a result that
// is already known to be a failure. The fields not read stay as they were.
HeadReadResult GroupGateway::ReadCounters(UsageCounters& counters) {
    HeadReadResult result;
    auto total = static_cast<std::uint32_t>(counters.TotalCounter);
    Note(result, m_device.ReadTotalCounter(total), HeadItem::TotalCounter);
    counters.TotalCounter = static_cast<std::int32_t>(total);
    for (int pin = kFirstPin; pin <= kLastPin && result.Ok(); ++pin) {
        auto& field = counters.PinCounter[static_cast<std::size_t>(pin - kFirstPin)];
        auto value = static_cast<std::uint32_t>(field);
        Note(result, m_device.ReadPinCounter(static_cast<std::uint8_t>(pin), value), HeadItem::PinCounter, pin);
        field = static_cast<std::int32_t>(value);
    }
    if (!result.Ok()) return result;
    auto heads = Reinterpret<std::uint16_t>(counters.HeadCounters);
    Note(result, m_device.ReadHeadCounters(heads), HeadItem::HeadCounters);
    counters.HeadCounters = Reinterpret<std::int16_t>(heads);
    return result;
}

HeadReadResult GroupGateway::ReadBoth(PinSettings& settings, UsageCounters& counters) {
    HeadReadResult result;
    auto pair = Reinterpret<std::uint16_t>(settings.WordPair);
    Note(result, m_device.ReadWordPair(pair), HeadItem::WordPair);
    settings.WordPair = Reinterpret<std::int16_t>(pair);
    // A pin that was not read is no pin, as one whose read failed.
    settings.SelectedPin = result.Ok() ? m_device.ReadSelectedPin() : -1;
    Note(result, settings.SelectedPin >= 0, HeadItem::SelectedPin);
    if (!result.Ok()) return result;
    auto adjustments = Reinterpret<std::uint16_t>(settings.PinAdjustments);
    Note(result, m_device.ReadPinAdjustments(adjustments), HeadItem::PinAdjustments);
    settings.PinAdjustments = Reinterpret<std::int16_t>(adjustments);
    if (!result.Ok()) return result;
    return ReadCounters(counters);
}

bool GroupGateway::WritePinSettings(const PinSettings& settings) {
    if (!m_untilReady()) return false;
    if (!IsValidPinSettings(settings)) return false;
    // As with the reads, the first command the device did not take ends the write.
    return m_device.WriteWordPair(Reinterpret<std::uint16_t>(settings.WordPair)) &&
           m_device.SelectPin(static_cast<std::uint8_t>(settings.SelectedPin)) &&
           m_device.WritePinAdjustments(Reinterpret<std::uint16_t>(settings.PinAdjustments));
}

bool GroupGateway::WriteUsageCounters(const UsageCounters& counters) {
    if (!m_untilReady()) return false;
    if (!IsValidUsageCounters(counters)) return false;
    bool sent = m_device.WriteTotalCounter(static_cast<std::uint32_t>(counters.TotalCounter));
    for (int pin = kFirstPin; pin <= kLastPin && sent; ++pin) {
        const auto value = counters.PinCounter[static_cast<std::size_t>(pin - kFirstPin)];
        sent = m_device.WritePinCounter(static_cast<std::uint8_t>(pin), static_cast<std::uint32_t>(value));
    }
    return sent && m_device.WriteHeadCounters(Reinterpret<std::uint16_t>(counters.HeadCounters));
}

}  // namespace zt40
