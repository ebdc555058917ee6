#pragma once
// An open handle on a simulated ZT-40: vendor requests go straight to its firmware model.
#include <cstdint>
#include <memory>

#include "platform/VendorChannel.h"
#include "platform/sim/SimulatedZt40.h"

namespace zt40 {

class SimChannel : public IVendorChannel {
    struct OpenKey {
        explicit OpenKey() = default;
    };

public:
    // nullptr when the printer is unplugged, off, or already held (the open is exclusive).
    // The printer must outlive the channel.
    static std::unique_ptr<SimChannel> Open(SimulatedZt40& printer);

    SimChannel(OpenKey, SimulatedZt40& printer, std::uint64_t connection)
        : m_printer(printer), m_connection(connection) {}
    ~SimChannel() override;
    SimChannel(const SimChannel&) = delete;
    SimChannel& operator=(const SimChannel&) = delete;

    bool VendorSet(std::span<const std::uint8_t> bytes) override;
    bool VendorGet(std::span<std::uint8_t> bytes) override;
    // False after Close and once the printer was unplugged, even if it is back by now:
    // a replugged device needs a new handle.
    bool IsAlive() const override;
    bool Close() override;

private:
    SimulatedZt40& m_printer;
    std::uint64_t m_connection;
    bool m_closed = false;
};

}  // namespace zt40
