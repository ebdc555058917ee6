#pragma once
// Decodes the vendor requests a CHeadDevice sends into the commands they start, so a test
// can compare the order of device commands with what the window logic must send.
#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "platform/VendorChannel.h"
#include "platform/WireFormat.h"

namespace zt40::testing {

struct SentCommand {
    std::uint8_t opcode = 0;
    std::uint8_t subCommand = 0;  // extended frames only
    std::uint8_t argument = 0;    // extended frames only
    std::array<std::uint8_t, wire::kDataSize> frame{};

    bool IsExtended(wire::SubCommand sub) const { return opcode == wire::kOpExtended && subCommand == sub; }
    std::int32_t Item32(std::size_t index, std::size_t offset) const {
        const std::size_t at = offset + 4 * index;
        return static_cast<std::int32_t>(frame[at] | (frame[at + 1] << 8) | (frame[at + 2] << 16) |
                                         (static_cast<std::uint32_t>(frame[at + 3]) << 24));
    }
    std::uint16_t Word(std::size_t at) const { return static_cast<std::uint16_t>(frame[at] | (frame[at + 1] << 8)); }
};

// A command starts when its opcode arrives alone, after the whole frame was sent with 0 in
// its place.
class CommandLogChannel : public IVendorChannel {
public:
    CommandLogChannel(std::unique_ptr<IVendorChannel> inner, std::vector<SentCommand>& log)
        : m_inner(std::move(inner)), m_log(log) {}

    bool VendorSet(std::span<const std::uint8_t> bytes) override {
        const bool ok = m_inner->VendorSet(bytes);
        if (ok && bytes.size() == wire::kHeaderSize + wire::kDataSize) {
            std::copy(bytes.begin() + wire::kHeaderSize, bytes.end(), m_frame.begin());
        } else if (ok && bytes.size() == wire::kHeaderSize + 1) {
            SentCommand command;
            command.frame = m_frame;
            command.opcode = command.frame[wire::kOpcodeByte] = bytes[wire::kHeaderSize];
            command.subCommand = m_frame[wire::kSubCommandByte];
            command.argument = m_frame[wire::kArgumentByte];
            m_log.push_back(command);
        }
        return ok;
    }
    bool VendorGet(std::span<std::uint8_t> bytes) override { return m_inner->VendorGet(bytes); }
    bool IsAlive() const override { return m_inner->IsAlive(); }
    bool Close() override { return m_inner->Close(); }

private:
    std::unique_ptr<IVendorChannel> m_inner;
    std::vector<SentCommand>& m_log;
    std::array<std::uint8_t, wire::kDataSize> m_frame{};
};

class CommandLogOpener : public IDeviceOpener {
public:
    explicit CommandLogOpener(IDeviceOpener& inner) : m_inner(inner) {}

    std::unique_ptr<IVendorChannel> OpenDevice(std::string_view devicePath) override {
        ++opens;
        auto channel = m_inner.OpenDevice(devicePath);
        if (!channel) return nullptr;
        openedPaths.emplace_back(devicePath);
        return std::make_unique<CommandLogChannel>(std::move(channel), commands);
    }

    std::vector<SentCommand> commands;
    std::vector<std::string> openedPaths;
    int opens = 0;

private:
    IDeviceOpener& m_inner;
};

}  // namespace zt40::testing
