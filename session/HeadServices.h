#pragma once
// The device work behind the wizard pages' services and the head cleaning, on a session and
// the frame's copies of the groups. The window's dialog and the terminal's pin adjustment
// both hand these to the pages.
#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>

#include "session/MaintenanceFrame.h"
#include "session/PinwardenServices.h"
#include "session/PrinterSession.h"

namespace zt40 {

// One motion of the cleaning sequence; a row whose head flag is -1 ends the table.
struct CleaningStep {
    std::int32_t value1;
    std::int32_t value2;
    std::int32_t headFlag;
};

inline constexpr std::array<CleaningStep, 7> CleaningSteps{{
    {-416, 0, 1},
    {-416, 0, 0},
    {-416, 3333, 0},
    {-416, 0, 0},
    {-416, 0, 1},
    {0, 0, 1},
    {-1, -1, -1},
}};

// The word every cleaning motion block is sent with.
inline constexpr std::uint16_t kCleaningMotionWord = 0xFFFF;
// The motions a full cleaning makes (the table's last row only ends it).
inline constexpr std::size_t kCleaningStepCount = CleaningSteps.size() - 1;

// How a cleaning ended: the motions sent, and why it stopped short when it did.
struct CleaningResult {
    std::size_t stepsDone = 0;
    std::optional<Message> failure;
    bool Completed() const { return !failure && stepsDone == kCleaningStepCount; }
};
// Told before each motion's wait: the step about to be made (1-based) of kCleaningStepCount.
using CleaningProgress = std::function<void(std::size_t step)>;

// Why a pin change is refused without a word to the printer.
inline constexpr Text kSettingsOutOfRange = ZT40_TR(
    "CPinwardenDlg", "The printer's settings are out of range. Choose \"Restoration of setting\" in the window's menu.");

// MoveHead's position code for the centre of the carriage.
inline constexpr std::uint8_t kHeadCentre = 4;

class HeadServices final : public IPinwardenServices {
public:
    HeadServices(PrinterSession& session, GroupCopies& copies) : m_session(session), m_copies(copies) {}

    // The copies change only with what the printer took: a failed write leaves them as the
    // printer's, so a later write or a retry starts from the truth.
    bool MoveHeadToCentre() override;
    bool ResetPinSettings() override;
    bool ResetPinCounters() override;
    bool ApplyPinAdjustments(std::span<const std::int32_t, kPinCount> values) override;
    std::string GetPrinterName() const override { return m_session.QueueName(); }
    // The pin for marking (1..9), after the wait for ready; refused without a word to the
    // printer when the settings with it would be out of range.
    bool SelectPin(std::int32_t pin);
    // Why the latest service failed; nothing after one that succeeded.
    const std::optional<Message>& Failure() const { return m_failure; }
    // The latest failure was the values', not the printer's: nothing was sent.
    bool OutOfRange() const { return m_outOfRange; }

    // Each step waits for ready first; a printer that stops answering, never gets ready or
    // whose wait is cancelled abandons the rest of the sequence.
    CleaningResult RunCleaning(const CleaningProgress& progress = {});

private:
    bool Sent(bool sent);
    bool Written(bool written);

    PrinterSession& m_session;
    GroupCopies& m_copies;
    std::optional<Message> m_failure;
    bool m_outOfRange = false;
};

}  // namespace zt40
