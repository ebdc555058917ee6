#include "session/HeadServices.h"

namespace zt40 {

void HeadServices::MoveHeadToCentre() {
    m_session.Device().SetHeadFlag(true);
    m_session.Device().MoveHead(kHeadCentre);
}

void HeadServices::ResetPinSettings() {
    m_copies.settings.PinAdjustments.fill(0);
    m_copies.settings.SelectedPin = kFirstPin;
    m_session.Groups().WritePinSettings(m_copies.settings);
    m_copies.settings.SelectedPin = m_session.Device().ReadSelectedPin();
}

void HeadServices::ResetPinCounters() {
    m_copies.counters.PinCounter.fill(0);
    for (auto& head : m_copies.counters.HeadCounters) head = static_cast<std::int16_t>(head + 1);
    m_session.Groups().WriteUsageCounters(m_copies.counters);
}

void HeadServices::ApplyPinAdjustments(std::span<const std::int32_t, kPinCount> values) {
    for (std::size_t i = 0; i < kPinCount; ++i) {
        auto& adjustment = m_copies.settings.PinAdjustments[i];
        adjustment = static_cast<std::int16_t>(static_cast<std::uint16_t>(adjustment) +
                                               static_cast<std::uint16_t>(values[i]));
    }
    m_session.Groups().WritePinSettings(m_copies.settings);
}

void HeadServices::RunCleaning() {
    auto& device = m_session.Device();
    for (const auto& step : CleaningSteps) {
        if (step.headFlag == -1) break;
        if (!m_session.WaitUntilReady()) return;
        device.SetHeadFlag(step.headFlag != 0);
        if (!m_session.WaitUntilReady()) return;
        const std::array<std::int32_t, 2> values{step.value1, step.value2};
        device.SendMotionBlock(values, kCleaningMotionWord);
    }
}

}  // namespace zt40
