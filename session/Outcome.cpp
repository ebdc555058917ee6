#include "session/Outcome.h"

#include <string>

#include "types/PinData.h"

namespace zt40 {

namespace {

constexpr Text kBusy = ZT40_TR("Outcome",
                               "The ZT-40 is busy (status %1). Wait until it has finished, then try again.");
constexpr Text kErrorState = ZT40_TR(
    "Outcome", "The ZT-40 reports error state %1. Clear the error (switch the printer off and on), then try again.");
constexpr Text kNoAnswer =
    ZT40_TR("Outcome", "The ZT-40 does not answer. Check the cable and the power switch, then try again.");
constexpr Text kNotReadyInTime = ZT40_TR(
    "Outcome", "The ZT-40 was not ready within 15 s. Wait until it has finished what it is doing, then try again.");
constexpr Text kCancelled = ZT40_TR("Outcome", "Cancelled: nothing more was sent to the ZT-40.");
constexpr Text kOutOfRange = ZT40_TR(
    "Outcome",
    "No.%1 would get the adjustment %2, outside %3..%4. Print the pattern again and check the readings.");

}  // namespace

std::optional<Message> StatusReason(const PrinterStatus& status, ReadyRule rule) {
    switch (status.State(rule)) {
    case PrinterState::Ready:
        return std::nullopt;
    case PrinterState::Busy:
        return Message::Of(kBusy, {std::to_string(status.Raw())});
    case PrinterState::ErrorState:
        return Message::Of(kErrorState, {std::to_string(*status.ErrorCode())});
    case PrinterState::NoAnswer:
        break;
    }
    return Message::Of(kNoAnswer);
}

std::optional<Message> WaitFailureReason(WaitStep end, const PrinterStatus& last) {
    switch (end) {
    case WaitStep::Ready:
    case WaitStep::Waiting:
        return std::nullopt;
    case WaitStep::TimedOut:
        return Message::Of(kNotReadyInTime);
    case WaitStep::Cancelled:
        return Message::Of(kCancelled);
    case WaitStep::NoAnswer:
        break;
    }
    // An answer that is no status is an error state or silence; never "ready".
    return last.ErrorCode() ? Message::Of(kErrorState, {std::to_string(*last.ErrorCode())}) : Message::Of(kNoAnswer);
}

Message OutOfRangeReason(int pin, std::int32_t value) {
    return Message::Of(kOutOfRange, {std::to_string(pin), std::to_string(value),
                                     std::to_string(-kPinAdjustmentLimit), std::to_string(kPinAdjustmentLimit)});
}

}  // namespace zt40
