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

HeadReadResult GroupGateway::ReadCounters(UsageCounters& counters) {
    HeadReadResult result;
    auto total = static_cast<std::uint32_t>(counters.TotalCounter);
    Note(result, m_device.ReadTotalCounter(total), HeadItem::TotalCounter);
    counters.TotalCounter = static_cast<std::int32_t>(total);
    for (int pin = kFirstPin; pin <= kLastPin; ++pin) {
        auto& field = counters.PinCounter[static_cast<std::size_t>(pin - kFirstPin)];
        auto value = static_cast<std::uint32_t>(field);
        Note(result, m_device.ReadPinCounter(static_cast<std::uint8_t>(pin), value), HeadItem::PinCounter, pin);
        field = static_cast<std::int32_t>(value);
    }
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
    settings.SelectedPin = m_device.ReadSelectedPin();
    Note(result, settings.SelectedPin >= 0, HeadItem::SelectedPin);
    auto adjustments = Reinterpret<std::uint16_t>(settings.PinAdjustments);
    Note(result, m_device.ReadPinAdjustments(adjustments), HeadItem::PinAdjustments);
    settings.PinAdjustments = Reinterpret<std::int16_t>(adjustments);
    const HeadReadResult countersRead = ReadCounters(counters);
    if (result.Ok()) result = countersRead;
    return result;
}

bool GroupGateway::WritePinSettings(const PinSettings& settings) {
    if (!m_untilReady()) return false;
    if (!IsValidPinSettings(settings)) return false;
    // Every command is sent even after one failed, as before; the result says whether all went.
    bool sent = m_device.WriteWordPair(Reinterpret<std::uint16_t>(settings.WordPair));
    sent = m_device.SelectPin(static_cast<std::uint8_t>(settings.SelectedPin)) && sent;
    sent = m_device.WritePinAdjustments(Reinterpret<std::uint16_t>(settings.PinAdjustments)) && sent;
    return sent;
}

bool GroupGateway::WriteUsageCounters(const UsageCounters& counters) {
    if (!m_untilReady()) return false;
    if (!IsValidUsageCounters(counters)) return false;
    bool sent = m_device.WriteTotalCounter(static_cast<std::uint32_t>(counters.TotalCounter));
    for (int pin = kFirstPin; pin <= kLastPin; ++pin) {
        const auto value = counters.PinCounter[static_cast<std::size_t>(pin - kFirstPin)];
        sent = m_device.WritePinCounter(static_cast<std::uint8_t>(pin), static_cast<std::uint32_t>(value)) && sent;
    }
    sent = m_device.WriteHeadCounters(Reinterpret<std::uint16_t>(counters.HeadCounters)) && sent;
    return sent;
}

}  // namespace zt40
