#include "session/HeadServices.h"

#include "session/Outcome.h"

namespace zt40 {

// A command the device did not take: the status says whether it is silent or in an error state.
bool HeadServices::Sent(bool sent) {
    m_failure.reset();
    m_outOfRange = false;
    if (!sent) m_failure = WaitFailureReason(WaitStep::NoAnswer, m_session.ReadStatus());
    return sent;
}

// A group write fails in its wait for ready, or in a command the device did not take.
bool HeadServices::Written(bool written) {
    m_failure.reset();
    m_outOfRange = false;
    if (!written) {
        m_failure = m_session.WaitFailure();
        if (!m_failure) m_failure = WaitFailureReason(WaitStep::NoAnswer, m_session.ReadStatus());
    }
    return written;
}

bool HeadServices::MoveHeadToCentre() {
    return Sent(m_session.Device().SetHeadFlag(true) && m_session.Device().MoveHead(kHeadCentre));
}

bool HeadServices::ResetPinSettings() {
    PinSettings cleared = m_copies.settings;
    cleared.PinAdjustments.fill(0);
    cleared.SelectedPin = kFirstPin;
    if (!Written(m_session.Groups().WritePinSettings(cleared))) return false;
    m_copies.settings = cleared;
    m_copies.settings.SelectedPin = m_session.Device().ReadSelectedPin();
    return true;
}

bool HeadServices::ResetPinCounters() {
    UsageCounters cleared = m_copies.counters;
    cleared.PinCounter.fill(0);
    for (auto& head : cleared.HeadCounters) head = static_cast<std::int16_t>(head + 1);
    if (!Written(m_session.Groups().WriteUsageCounters(cleared))) return false;
    m_copies.counters = cleared;
    return true;
}

bool HeadServices::ApplyPinAdjustments(std::span<const std::int32_t, kPinCount> values) {
    PinSettings summed = m_copies.settings;
    for (std::size_t i = 0; i < kPinCount; ++i) {
        auto& adjustment = summed.PinAdjustments[i];
        adjustment = static_cast<std::int16_t>(static_cast<std::uint16_t>(adjustment) +
                                               static_cast<std::uint16_t>(values[i]));
        if (adjustment < -kPinAdjustmentLimit || adjustment > kPinAdjustmentLimit) {
            m_failure = OutOfRangeReason(static_cast<int>(i) + kFirstPin, adjustment);
            m_outOfRange = true;
            return false;
        }
    }
    if (!Written(m_session.Groups().WritePinSettings(summed))) return false;
    m_copies.settings = summed;
    return true;
}

bool HeadServices::SelectPin(std::int32_t pin) {
    PinSettings chosen = m_copies.settings;
    chosen.SelectedPin = pin;
    if (!IsValidPinSettings(chosen)) {
        m_failure = Message::Of(kSettingsOutOfRange);
        m_outOfRange = true;
        return false;
    }
    if (!Written(m_session.WaitUntilReady() && m_session.Device().SelectPin(static_cast<std::uint8_t>(pin)))) {
        return false;
    }
    m_copies.settings = chosen;
    return true;
}

CleaningResult HeadServices::RunCleaning(const CleaningProgress& progress) {
    auto& device = m_session.Device();
    CleaningResult result;
    for (const auto& step : CleaningSteps) {
        if (step.headFlag == -1) break;
        if (progress) progress(result.stepsDone + 1);
        const std::array<std::int32_t, 2> values{step.value1, step.value2};
        const bool sent = m_session.WaitUntilReady() && device.SetHeadFlag(step.headFlag != 0) &&
                          m_session.WaitUntilReady() && device.SendMotionBlock(values, kCleaningMotionWord);
        if (!Written(sent)) {
            result.failure = m_failure;
            return result;
        }
        ++result.stepsDone;
    }
    return result;
}

}  // namespace zt40
