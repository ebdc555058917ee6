#pragma once
// What an operator's action came to, for the front end to show: done, or failed with the
// reason in words and what to do. Nothing that failed is ever told as done.
#include <cstdint>
#include <optional>

#include "platform/Text.h"
#include "session/ReadyWait.h"
#include "types/PrinterStatus.h"

namespace zt40 {

struct Outcome {
    bool failed = false;
    Message what;                // what happened, e.g. "The pin settings were not written."
    std::optional<Message> why;  // the reason and what to do, for a failure

    static Outcome Done(Message what) { return {false, std::move(what), std::nullopt}; }
    static Outcome Failed(Message what, std::optional<Message> why) { return {true, std::move(what), std::move(why)}; }
};

// Why one status read does not let the action go on: busy, error state N or no answer;
// nothing for a printer that is ready by `rule`.
std::optional<Message> StatusReason(const PrinterStatus& status, ReadyRule rule = ReadyRule::StatusIsOne);
// Why a wait for ready ended without it; nothing when it ended ready (or still waits).
std::optional<Message> WaitFailureReason(WaitStep end, const PrinterStatus& last);
// A pin's adjustment that the printer would not take.
Message OutOfRangeReason(int pin, std::int32_t value);

}  // namespace zt40
