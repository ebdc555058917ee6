#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Spooler.h"
#include "platform/sim/SimDeviceFinder.h"

namespace zt40::testing {

// Passes everything to the simulated spooler, unless told to act as a spooler that is not running.
class SwitchableSpooler : public ISpooler {
public:
    explicit SwitchableSpooler(ISpooler& inner) : m_inner(inner) {}
    bool EnumLocalQueues(std::vector<QueueInfo>& queues) override {
        if (down) return false;
        return m_inner.EnumLocalQueues(queues);
    }
    std::unique_ptr<ISpoolerQueue> OpenQueue(std::string_view name) override {
        return down ? nullptr : m_inner.OpenQueue(name);
    }
    std::string LastErrorText() override { return down ? "Connection refused" : m_inner.LastErrorText(); }
    SpoolerFailure LastFailure() override { return down ? downAs : m_inner.LastFailure(); }
    bool down = false;
    SpoolerFailure downAs = SpoolerFailure::Unreachable;

private:
    ISpooler& m_inner;
};

// A ZT-40 queue of the simulated spooler, on the port of the printer with that serial number.
inline QueueInfo ZtQueue(std::string name, std::string serial = "SIM0001", std::uint32_t attributes = 0) {
    return {std::move(name), SimPortName(serial), "Velmora ZT-40", attributes};
}

}  // namespace zt40::testing
