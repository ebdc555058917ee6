#pragma once
// The ZT-40's command interpreter: runs one frame from the 32-byte data area against the
// printer's state and leaves the reply in the same area. Which handler runs is decided by a
// table keyed by opcode and, for extended frames, sub-command.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

#include "platform/PinRange.h"
#include "platform/WireFormat.h"
#include "platform/sim/Zt40State.h"

namespace zt40 {

// Final states other than 0 that the firmware itself reports. None equals an opcode, so
// the host never mistakes them for "still busy".
inline constexpr std::uint8_t kFirmwareBadArgument = 0x02;    // pin or argument byte out of range
inline constexpr std::uint8_t kFirmwareBadLayout = 0x03;      // count byte or item type not as expected
inline constexpr std::uint8_t kFirmwareUnknownCommand = 0x04; // no handler for this opcode/sub-command

class Zt40Firmware {
public:
    static constexpr std::size_t kDataSize = wire::kDataSize;
    using DataArea = std::array<std::uint8_t, kDataSize>;

    explicit Zt40Firmware(Zt40State initial = {});

    // Runs the frame whose opcode is in byte 0. Replies are written in place; bytes the
    // command does not answer with keep what they held. Returns 0 or an error state.
    std::uint8_t Execute(DataArea& area);

    Zt40State& State() { return m_state; }
    const Zt40State& State() const { return m_state; }

    // The next `reads` status queries report `status` instead of the stored status word,
    // as a printer does while it warms up or finishes a job.
    void SetNotReady(std::uint32_t reads, std::uint16_t status);
    std::uint32_t NotReadyReadsLeft() const { return m_notReadyReads; }

    std::uint32_t CommandsExecuted() const { return m_commandsExecuted; }

private:
    using Handler = std::uint8_t (Zt40Firmware::*)(DataArea&);
    static constexpr int kShortFrame = -1;
    struct Route {
        std::uint8_t opcode;
        int subCommand;  // extended frames only; kShortFrame for the others
        Handler handler;
    };
    static const std::array<Route, 12> kRoutes;

    std::uint8_t StatusQuery(DataArea& area);
    std::uint8_t MotionBlockCommand(DataArea& area);
    std::uint8_t DownloadCommand(DataArea& area);
    std::uint8_t HeadFlag(DataArea& area);
    std::uint8_t SelectPin(DataArea& area);
    std::uint8_t PinAdjustments(DataArea& area);
    std::uint8_t WordPair(DataArea& area);
    std::uint8_t MoveHead(DataArea& area);
    std::uint8_t PinCounter(DataArea& area);
    std::uint8_t TotalCounter(DataArea& area);
    std::uint8_t HeadCounters(DataArea& area);
    std::uint8_t SelectedPin(DataArea& area);

    Zt40State m_state;
    std::uint32_t m_notReadyReads = 0;
    std::uint16_t m_notReadyStatus = 0;
    std::uint32_t m_commandsExecuted = 0;
};

}  // namespace zt40
