#pragma once
// The printer's status word as one value: what it answered, and what that means. Every
// reader classifies the word here, so the ready rule is written once.
#include <cstdint>
#include <optional>

namespace zt40 {

// What a status read gives when the printer did not answer it.
inline constexpr std::uint16_t kStatusUnknown = 0xFFFF;

enum class ReadyRule {
    StatusIsOne,    // before a write or a cleaning step: the status word is exactly 1
    LowBitsAreOne,  // the connection poll's test: (status AND 3) = 1
};

enum class PrinterState {
    Ready,       // answered, and the rule holds
    Busy,        // answered, not ready (a job runs, or a state the rule does not accept)
    ErrorState,  // no status, but the printer answered the query with an error code
    NoAnswer,    // no status and no answer at all
};

class PrinterStatus {
public:
    constexpr PrinterStatus() = default;
    // `replyState` is byte 0 of the last poll that ended the query, when there was one.
    constexpr explicit PrinterStatus(std::uint16_t raw, std::optional<std::uint8_t> replyState = std::nullopt)
        : m_raw(raw), m_replyState(raw == kStatusUnknown ? replyState : std::nullopt) {}

    constexpr std::uint16_t Raw() const { return m_raw; }
    constexpr bool Answered() const { return m_raw != kStatusUnknown; }

    constexpr bool IsReady(ReadyRule rule) const {
        if (rule == ReadyRule::StatusIsOne) return m_raw == 1;
        return Answered() && (m_raw & 3) == 1;
    }

    constexpr PrinterState State(ReadyRule rule = ReadyRule::LowBitsAreOne) const {
        if (IsReady(rule)) return PrinterState::Ready;
        if (Answered()) return PrinterState::Busy;
        return ErrorCode() ? PrinterState::ErrorState : PrinterState::NoAnswer;
    }

    // The printer's error state when it answered the query with one (never 0).
    constexpr std::optional<std::uint8_t> ErrorCode() const {
        if (m_replyState && *m_replyState != 0) return m_replyState;
        return std::nullopt;
    }

    constexpr bool operator==(const PrinterStatus&) const = default;

private:
    std::uint16_t m_raw = kStatusUnknown;
    std::optional<std::uint8_t> m_replyState;
};

}  // namespace zt40
