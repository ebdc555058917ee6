#pragma once
// The command protocol: one frame at a time in the packet, run as a transaction of
// vendor requests, the reply parsed from the same data area.
#include <array>
#include <cstdint>
#include <istream>
#include <optional>
#include <span>
#include <string_view>

#include "device/CUsbPrintPort.h"
#include "device/CVendorPacket.h"
#include "platform/PinRange.h"
#include "platform/Clock.h"
#include "platform/DeviceLink.h"
#include "platform/Spooler.h"
#include "types/PrinterStatus.h"

namespace zt40 {

inline constexpr std::uint32_t kTransactionTimeoutMs = 5000;
// After each busy reply the poll rests this long, so a printer that stays busy is asked a few
// hundred times a second rather than as fast as the bus allows.
inline constexpr std::uint32_t kBusyPollPauseMs = 1;

class CHeadDevice {
public:
    explicit CHeadDevice(const DeviceLinkPlatform& platform);
    virtual ~CHeadDevice() = default;  // the packet goes first, then the port, which closes
    CHeadDevice(const CHeadDevice&) = delete;
    CHeadDevice& operator=(const CHeadDevice&) = delete;

    bool Open(std::string_view queueName, unsigned requestIndex, unsigned dataSize);
    bool Close();
    bool Reopen();

    std::uint16_t GetStatus();
    bool SetHeadFlag(bool flag);
    bool SelectPin(std::uint8_t pin);
    bool ReadPinAdjustments(std::span<std::uint16_t, kPinCount> targets);
    bool WritePinAdjustments(std::span<const std::uint16_t, kPinCount> values);
    bool ReadWordPair(std::span<std::uint16_t, 2> targets);
    bool WriteWordPair(std::span<const std::uint16_t, 2> values);
    bool MoveHead(std::uint8_t positionCode);
    bool ReadPinCounter(std::uint8_t pin, std::uint32_t& target);
    bool WritePinCounter(std::uint8_t pin, std::uint32_t value);
    bool ReadTotalCounter(std::uint32_t& target);
    bool WriteTotalCounter(std::uint32_t value);
    bool ReadHeadCounters(std::span<std::uint16_t, 2> targets);
    bool WriteHeadCounters(std::span<const std::uint16_t, 2> values);
    int ReadSelectedPin();
    bool SendMotionBlock(std::span<const std::int32_t> values, std::uint16_t word);

    // Slot 0: short command 0x64, then the source streamed to the queue as a RAW "Updater" document.
    virtual bool Download(std::uint8_t argument, std::istream& source);
    // Slot 1: asked before every poll of a transaction.
    virtual bool IsTimedOut(std::uint32_t elapsedMs) { return elapsedMs > kTransactionTimeoutMs; }

    // True while a command waits for the printer's answer. A pause in that wait may let a
    // window's events run; nothing may start another command on the device until it ends.
    bool InTransaction() const { return m_inTransaction; }

    const CUsbPrintPort& Port() const { return m_port; }
    // Byte 0 of the last poll that ended a command: 0 for success, else the printer's error
    // state. Nothing when the last command ended without such an answer (a failed request,
    // the time-out).
    std::optional<std::uint8_t> LastReplyState() const { return m_lastReplyState; }
    const CVendorPacket& Packet() const { return m_packet; }

protected:
    // Frame primitives; protected so that a protocol test can drive the frame limits directly.
    void ShortFrame(std::uint8_t opcode, std::uint8_t second);
    void ExtendedFrame(std::uint8_t subCommand, std::uint8_t argument, std::uint8_t countAndType);
    bool SendShort8(std::uint8_t opcode, std::span<const std::uint8_t> bytes);
    bool SendShort16(std::uint8_t opcode, std::span<const std::uint16_t> values);
    bool SendShort32(std::uint8_t opcode, std::uint16_t word, std::span<const std::uint32_t> values);
    int QueryShort16(std::uint8_t opcode, std::span<std::uint16_t> targets);
    bool Exec8(std::uint8_t subCommand, std::uint8_t argument, std::span<const std::uint8_t> items);
    bool Exec16(std::uint8_t subCommand, std::uint8_t argument, std::span<const std::uint16_t> items);
    bool Exec32(std::uint8_t subCommand, std::uint8_t argument, std::span<const std::uint32_t> items);
    int Query8(std::uint8_t subCommand, std::uint8_t argument, std::span<std::uint8_t> targets);
    int Query16(std::uint8_t subCommand, std::uint8_t argument, std::span<std::uint16_t> targets);
    int Query32(std::uint8_t subCommand, std::uint8_t argument, std::span<std::uint32_t> targets);
    bool Transact();

private:
    IClock& m_clock;
    ISpooler& m_spooler;
    CUsbPrintPort m_port;
    CVendorPacket m_packet;
    std::uint8_t m_currentOpcode = 0;
    std::optional<std::uint8_t> m_lastReplyState;
    bool m_inTransaction = false;
};

}  // namespace zt40
