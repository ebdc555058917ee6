#pragma once
// A simulated ZT-40 as seen from the USB cable: it takes vendor SET and GET requests, runs
// a frame when its opcode arrives alone, echoes the opcode while busy and then answers
// with 0 or an error state. Faults can be switched on to see how the host copes.
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "platform/WireFormat.h"
#include "platform/sim/Zt40Firmware.h"
#include "platform/sim/Zt40State.h"

namespace zt40 {

enum class SimEvent { Unplugged, Plugged, PoweredOff, PoweredOn };

// Which vendor SETs fail in transfer (they never reach the printer).
enum class SetFailure {
    None,
    Every,
    FrameOnly,  // the SET that carries the whole data area
    StartOnly,  // the SET of the opcode alone
};

struct Zt40Faults {
    std::uint32_t busyPolls = 0;             // GETs that still see the opcode after a command starts
    bool neverFinish = false;                // the opcode is echoed for ever
    std::optional<std::uint8_t> errorState;  // every command ends in this state without running
    SetFailure failSets = SetFailure::None;
    bool failGets = false;
    std::optional<std::uint32_t> unplugAfterPolls;  // pulled out after this many GETs of one command
    bool failClose = false;                          // the platform refuses to release the handle
};

class SimulatedZt40 {
public:
    static constexpr std::uint8_t kRequestCode = wire::kRequestCode;
    static constexpr std::size_t kHeaderSize = wire::kHeaderSize;

    explicit SimulatedZt40(std::string serial, Zt40State initial = {});
    SimulatedZt40(const SimulatedZt40&) = delete;
    SimulatedZt40& operator=(const SimulatedZt40&) = delete;

    const std::string& Serial() const { return m_serial; }

    // The device side of the vendor requests (header F0 00 00, then the data stage).
    // False is a failed transfer: the printer is gone, off, or the request is not one it knows.
    bool HandleSet(std::span<const std::uint8_t> packet);
    bool HandleGet(std::span<std::uint8_t> packet);

    // Cable and power. Observers hear of every change, not of repeats.
    void Unplug();
    void Plug();
    void PowerOff();
    void PowerOn();
    bool IsPlugged() const { return m_plugged; }
    bool IsPowered() const { return m_powered; }
    bool IsReachable() const { return m_plugged && m_powered; }
    // A new value with every plug-in: a handle opened before an unplug stays dead.
    std::uint64_t Connection() const { return m_connection; }

    // The printer-class device has one holder at a time.
    bool Claim();
    void Release(std::uint64_t connection);
    void SetHeldElsewhere(bool held) { m_heldElsewhere = held; }

    Zt40Faults& Faults() { return m_faults; }
    const Zt40Faults& Faults() const { return m_faults; }
    Zt40Firmware& Firmware() { return m_firmware; }
    Zt40State& State() { return m_firmware.State(); }
    const Zt40State& State() const { return m_firmware.State(); }
    const Zt40Firmware::DataArea& DataArea() const { return m_area; }
    bool IsBusy() const { return m_running.has_value(); }

    std::uint32_t SetsReceived() const { return m_setsReceived; }
    std::uint32_t GetsReceived() const { return m_getsReceived; }
    std::uint32_t CommandsStarted() const { return m_commandsStarted; }

    using Observer = std::function<void(SimEvent)>;
    int Subscribe(Observer observer);
    void Unsubscribe(int id);

private:
    struct Running {
        std::uint8_t opcode = 0;
        std::uint32_t busyPollsLeft = 0;
        std::uint32_t polls = 0;
    };

    bool IsOurRequest(std::span<const std::uint8_t> packet) const;
    void AnswerPoll();
    void Notify(SimEvent event);

    std::string m_serial;
    Zt40Firmware m_firmware;
    Zt40Faults m_faults;
    Zt40Firmware::DataArea m_area{};
    std::optional<Running> m_running;
    bool m_plugged = true;
    bool m_powered = true;
    bool m_heldElsewhere = false;
    std::uint64_t m_connection = 1;
    std::optional<std::uint64_t> m_claimedConnection;
    std::uint32_t m_setsReceived = 0;
    std::uint32_t m_getsReceived = 0;
    std::uint32_t m_commandsStarted = 0;
    std::vector<std::pair<int, Observer>> m_observers;
    int m_nextObserverId = 1;
};

}  // namespace zt40
