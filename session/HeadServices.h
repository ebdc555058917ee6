#pragma once
// The device work behind the wizard pages' services and the head cleaning, on a session and
// the frame's copies of the groups. The window's dialog and the terminal's pin adjustment
// both hand these to the pages.
#include <array>
#include <cstdint>
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
// MoveHead's position code for the centre of the carriage.
inline constexpr std::uint8_t kHeadCentre = 4;

class HeadServices final : public IPinwardenServices {
public:
    HeadServices(PrinterSession& session, GroupCopies& copies) : m_session(session), m_copies(copies) {}

    void MoveHeadToCentre() override;
    void ResetPinSettings() override;
    void ResetPinCounters() override;
    void ApplyPinAdjustments(std::span<const std::int32_t, kPinCount> values) override;
    std::string GetPrinterName() const override { return m_session.QueueName(); }

    // Each step waits for ready first; a printer that stops answering or never gets ready
    // abandons the rest of the sequence.
    void RunCleaning();

private:
    PrinterSession& m_session;
    GroupCopies& m_copies;
};

}  // namespace zt40
