#include "platform/sim/SimulatedZt40.h"

#include <algorithm>

namespace zt40 {

SimulatedZt40::SimulatedZt40(std::string serial, Zt40State initial)
    : m_serial(std::move(serial)), m_firmware(std::move(initial)) {}

bool SimulatedZt40::IsOurRequest(std::span<const std::uint8_t> packet) const {
    // The printer answers its one vendor request (code F0, value 0) and stalls any other.
    return packet.size() >= kHeaderSize && packet[0] == kRequestCode && packet[1] == 0 && packet[2] == 0;
}

bool SimulatedZt40::HandleSet(std::span<const std::uint8_t> packet) {
    if (!IsReachable() || !IsOurRequest(packet)) return false;
    const auto data = packet.subspan(kHeaderSize);
    if (data.empty() || data.size() > m_area.size()) return false;
    const bool start = data.size() == 1;
    switch (m_faults.failSets) {
        case SetFailure::None: break;
        case SetFailure::Every: return false;
        case SetFailure::FrameOnly:
            if (!start) return false;
            break;
        case SetFailure::StartOnly:
            if (start) return false;
            break;
    }
    ++m_setsReceived;
    if (start) {
        // The opcode alone starts the frame the area holds.
        m_area[0] = data[0];
        m_running = Running{data[0], m_faults.busyPolls, 0};
        ++m_commandsStarted;
    } else {
        // A new frame replaces whatever was running; a command the host gave up on is abandoned.
        std::ranges::copy(data, m_area.begin());
        m_running.reset();
    }
    return true;
}

bool SimulatedZt40::HandleGet(std::span<std::uint8_t> packet) {
    if (!IsReachable() || m_faults.failGets || !IsOurRequest(packet)) return false;
    ++m_getsReceived;
    AnswerPoll();
    const auto reply = packet.subspan(kHeaderSize);
    std::copy_n(m_area.begin(), std::min(reply.size(), m_area.size()), reply.begin());
    if (m_running && m_faults.unplugAfterPolls && m_running->polls >= *m_faults.unplugAfterPolls) Unplug();
    return true;
}

void SimulatedZt40::AnswerPoll() {
    if (!m_running) return;
    ++m_running->polls;
    if (m_faults.neverFinish || m_running->busyPollsLeft > 0) {
        if (m_running->busyPollsLeft > 0) --m_running->busyPollsLeft;
        m_area[0] = m_running->opcode;
        return;
    }
    m_area[0] = m_faults.errorState ? *m_faults.errorState : m_firmware.Execute(m_area);
    m_running.reset();
}

void SimulatedZt40::Unplug() {
    if (!m_plugged) return;
    m_plugged = false;
    m_running.reset();
    Notify(SimEvent::Unplugged);
}

void SimulatedZt40::Plug() {
    if (m_plugged) return;
    m_plugged = true;
    ++m_connection;
    Notify(SimEvent::Plugged);
}

void SimulatedZt40::PowerOff() {
    if (!m_powered) return;
    m_powered = false;
    m_running.reset();
    Notify(SimEvent::PoweredOff);
}

void SimulatedZt40::PowerOn() {
    if (m_powered) return;
    m_powered = true;
    Notify(SimEvent::PoweredOn);
}

bool SimulatedZt40::Claim() {
    if (!IsReachable() || m_heldElsewhere || m_claimedConnection == m_connection) return false;
    m_claimedConnection = m_connection;
    return true;
}

void SimulatedZt40::Release(std::uint64_t connection) {
    if (m_claimedConnection == connection) m_claimedConnection.reset();
}

int SimulatedZt40::Subscribe(Observer observer) {
    const int id = m_nextObserverId++;
    m_observers.emplace_back(id, std::move(observer));
    return id;
}

void SimulatedZt40::Unsubscribe(int id) {
    std::erase_if(m_observers, [id](const auto& entry) { return entry.first == id; });
}

void SimulatedZt40::Notify(SimEvent event) {
    // A copy, so an observer may subscribe or unsubscribe while it is told.
    const auto observers = m_observers;
    for (const auto& [id, observer] : observers) observer(event);
}

}  // namespace zt40
