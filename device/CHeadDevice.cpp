#include "device/CHeadDevice.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <vector>

#include "platform/WireFormat.h"

namespace zt40 {

namespace {

using namespace wire;

// Short-frame item limits: n bytes < 30, n 16-bit values < 15, n 32-bit values < 7.
constexpr std::size_t kShort8Limit = 30;
constexpr std::size_t kShort16Limit = 15;
constexpr std::size_t kShort32Limit = 7;

constexpr std::uint8_t kOpGetStatus = kOpStatus;

constexpr std::size_t kReplyItemsOffset = kItemsOffset;
constexpr std::size_t kQueryCountOffset = kCountByte;  // a short query answers its count where the request had it

constexpr std::size_t kDownloadChunk = 0x8000;

std::uint8_t Count(std::size_t n, std::uint8_t type) { return static_cast<std::uint8_t>(n + type); }

}  // namespace

CHeadDevice::CHeadDevice(const DeviceLinkPlatform& platform)
    : m_clock(platform.clock),
      m_spooler(platform.spooler),
      m_port(platform.finder, platform.opener),
      m_packet(platform.messages) {}

bool CHeadDevice::Open(std::string_view queueName, unsigned requestIndex, unsigned dataSize) {
    if (!m_packet.Allocate(requestIndex, dataSize)) return false;
    return m_port.OpenForPrinter(queueName);
}

bool CHeadDevice::Close() { return m_port.Close(); }

bool CHeadDevice::Reopen() { return m_port.Reopen(); }

// --- frames -------------------------------------------------------------------------------

void CHeadDevice::ShortFrame(std::uint8_t opcode, std::uint8_t second) {
    m_currentOpcode = opcode;
    m_packet.RewindWrite();
    m_packet.PutByte(opcode);
    m_packet.PutByte(second);
}

void CHeadDevice::ExtendedFrame(std::uint8_t subCommand, std::uint8_t argument, std::uint8_t countAndType) {
    m_currentOpcode = kOpExtended;
    m_packet.RewindWrite();
    m_packet.PutByte(kOpExtended);
    m_packet.PutByte(countAndType);
    m_packet.PutByte(subCommand);
    m_packet.PutByte(argument);
}

bool CHeadDevice::SendShort8(std::uint8_t opcode, std::span<const std::uint8_t> bytes) {
    if (bytes.size() >= kShort8Limit) return false;
    ShortFrame(opcode, Count(bytes.size(), kItems8));
    if (m_packet.PutBytes(bytes) != static_cast<int>(bytes.size())) return false;
    return Transact();
}

bool CHeadDevice::SendShort16(std::uint8_t opcode, std::span<const std::uint16_t> values) {
    if (values.size() >= kShort16Limit) return false;
    ShortFrame(opcode, Count(values.size(), kItems16));
    if (m_packet.PutLE16(values) != static_cast<int>(values.size())) return false;
    return Transact();
}

bool CHeadDevice::SendShort32(std::uint8_t opcode, std::uint16_t word, std::span<const std::uint32_t> values) {
    if (values.size() >= kShort32Limit) return false;
    ShortFrame(opcode, Count(values.size(), kItems32));
    const std::array<std::uint16_t, 1> leading{word};
    m_packet.PutLE16(leading);
    if (m_packet.PutLE32(values) != static_cast<int>(values.size())) return false;
    return Transact();
}

int CHeadDevice::QueryShort16(std::uint8_t opcode, std::span<std::uint16_t> targets) {
    if (!SendShort16(opcode, {})) return 0;
    m_packet.SeekRead(kQueryCountOffset);
    const auto count = m_packet.GetByte();
    const int announced = count ? static_cast<std::int8_t>(*count) : 0;
    if (announced <= 0) return 0;
    const auto wanted = std::min<std::size_t>(static_cast<std::size_t>(announced), targets.size());
    return m_packet.GetLE16(targets.first(wanted));
}

bool CHeadDevice::Exec8(std::uint8_t subCommand, std::uint8_t argument, std::span<const std::uint8_t> items) {
    ExtendedFrame(subCommand, argument, Count(items.size(), kItems8));
    if (m_packet.PutBytes(items) != static_cast<int>(items.size())) return false;
    return Transact();
}

bool CHeadDevice::Exec16(std::uint8_t subCommand, std::uint8_t argument, std::span<const std::uint16_t> items) {
    ExtendedFrame(subCommand, argument, Count(items.size(), kItems16));
    if (m_packet.PutLE16(items) != static_cast<int>(items.size())) return false;
    return Transact();
}

bool CHeadDevice::Exec32(std::uint8_t subCommand, std::uint8_t argument, std::span<const std::uint32_t> items) {
    ExtendedFrame(subCommand, argument, Count(items.size(), kItems32));
    if (m_packet.PutLE32(items) != static_cast<int>(items.size())) return false;
    return Transact();
}

int CHeadDevice::Query8(std::uint8_t subCommand, std::uint8_t argument, std::span<std::uint8_t> targets) {
    if (!Exec8(subCommand, argument, {})) return -1;
    m_packet.SeekRead(kReplyItemsOffset);
    return m_packet.GetBytes(targets) == static_cast<int>(targets.size()) ? static_cast<int>(targets.size()) : -1;
}

int CHeadDevice::Query16(std::uint8_t subCommand, std::uint8_t argument, std::span<std::uint16_t> targets) {
    if (!Exec16(subCommand, argument, {})) return -1;
    m_packet.SeekRead(kReplyItemsOffset);
    return m_packet.GetLE16(targets) == static_cast<int>(targets.size()) ? static_cast<int>(targets.size()) : -1;
}

int CHeadDevice::Query32(std::uint8_t subCommand, std::uint8_t argument, std::span<std::uint32_t> targets) {
    if (!Exec32(subCommand, argument, {})) return -1;
    m_packet.SeekRead(kReplyItemsOffset);
    return m_packet.GetLE32(targets) == static_cast<int>(targets.size()) ? static_cast<int>(targets.size()) : -1;
}

// --- the transaction ----------------------------------------------------------------------

bool CHeadDevice::Transact() {
    const CUsbPrintPort::Transaction transaction(m_port);
    m_inTransaction = true;
    const struct TransactionEnd {
        bool& flag;
        ~TransactionEnd() { flag = false; }
    } transactionEnd{m_inTransaction};
    m_lastReplyState.reset();
    // The frame goes first with 0 in place of its opcode, so the printer does not start it
    // before all of it has arrived; the opcode alone then starts it.
    m_packet.RewindWrite();
    m_packet.PutByte(0);
    if (!m_packet.SendAll(m_port)) return false;

    m_packet.RewindWrite();
    m_packet.PutByte(m_currentOpcode);
    if (!m_packet.SendPrefix(m_port, 1)) return false;

    const std::uint32_t start = m_clock.NowMs();
    if (!m_port.IsHandleValid()) return false;
    for (;;) {
        if (IsTimedOut(m_clock.NowMs() - start)) return false;
        // A failed GET leaves the opcode in byte 0, which reads as busy: the time-out decides.
        m_packet.Receive(m_port);
        m_packet.SeekRead(kOpcodeByte);
        const std::uint8_t state = m_packet.GetByte().value_or(m_currentOpcode);
        if (state != m_currentOpcode) {
            m_lastReplyState = state;
            return state == 0;
        }
        if (!m_port.IsHandleValid()) return false;
        // Only after a busy reply: a printer that answers at once costs no pause at all.
        m_clock.Pause(kBusyPollPauseMs);
    }
}

// --- device commands ----------------------------------------------------------------------

std::uint16_t CHeadDevice::GetStatus() {
    std::array<std::uint16_t, 1> status{};
    return QueryShort16(kOpGetStatus, status) == 1 ? status[0] : kStatusUnknown;
}

bool CHeadDevice::SetHeadFlag(bool flag) { return Exec8(kHeadFlag, flag ? 1 : 0, {}); }

bool CHeadDevice::SelectPin(std::uint8_t pin) { return Exec8(kSelectPin, pin, {}); }

bool CHeadDevice::ReadPinAdjustments(std::span<std::uint16_t, kPinCount> targets) {
    return Query16(kPinAdjustments, kRead, targets) == kPinCount;
}

bool CHeadDevice::WritePinAdjustments(std::span<const std::uint16_t, kPinCount> values) {
    return Exec16(kPinAdjustments, kWrite, values);
}

bool CHeadDevice::ReadWordPair(std::span<std::uint16_t, 2> targets) { return Query16(kWordPair, kRead, targets) == 2; }

bool CHeadDevice::WriteWordPair(std::span<const std::uint16_t, 2> values) { return Exec16(kWordPair, kWrite, values); }

bool CHeadDevice::MoveHead(std::uint8_t positionCode) { return Exec8(kMoveHead, positionCode, {}); }

bool CHeadDevice::ReadPinCounter(std::uint8_t pin, std::uint32_t& target) {
    std::array<std::uint32_t, 1> value{};
    const auto argument = static_cast<std::uint8_t>(pin + kPinCounterRead);
    if (Query32(kPinCounter, argument, value) != 1) return false;
    target = value[0];
    return true;
}

bool CHeadDevice::WritePinCounter(std::uint8_t pin, std::uint32_t value) {
    const std::array<std::uint32_t, 1> values{value};
    return Exec32(kPinCounter, pin, values);
}

bool CHeadDevice::ReadTotalCounter(std::uint32_t& target) {
    std::array<std::uint32_t, 1> value{};
    if (Query32(kTotalCounter, kRead, value) != 1) return false;
    target = value[0];
    return true;
}

bool CHeadDevice::WriteTotalCounter(std::uint32_t value) {
    const std::array<std::uint32_t, 1> values{value};
    return Exec32(kTotalCounter, kWrite, values);
}

bool CHeadDevice::ReadHeadCounters(std::span<std::uint16_t, 2> targets) {
    std::array<std::uint16_t, 2> values{};
    if (Query16(kHeadCounters, kRead, values) != 2) return false;
    std::ranges::copy(values, targets.begin());
    return true;
}

bool CHeadDevice::WriteHeadCounters(std::span<const std::uint16_t, 2> values) {
    return Exec16(kHeadCounters, kWrite, values);
}

int CHeadDevice::ReadSelectedPin() {
    std::array<std::uint8_t, 1> pin{};
    return Query8(kSelectedPin, 0, pin) == 1 ? pin[0] : -1;
}

bool CHeadDevice::SendMotionBlock(std::span<const std::int32_t> values, std::uint16_t word) {
    if (values.size() >= kShort32Limit) return false;
    std::array<std::uint32_t, kShort32Limit> raw{};
    std::ranges::transform(values, raw.begin(), [](std::int32_t v) { return static_cast<std::uint32_t>(v); });
    return SendShort32(kOpMotionBlock, word, std::span(raw).first(values.size()));
}

// --- download -----------------------------------------------------------------------------

bool CHeadDevice::Download(std::uint8_t argument, std::istream& source) {
    const std::array<std::uint8_t, 1> bytes{argument};
    if (!SendShort8(kOpDownload, bytes)) return false;
    auto queue = m_spooler.OpenQueue(m_port.QueueName());
    if (!queue) return false;

    queue->StartDoc("Updater", "RAW");
    queue->StartPage();
    std::vector<std::uint8_t> chunk(kDownloadChunk);
    bool written = true;
    for (;;) {
        source.read(reinterpret_cast<char*>(chunk.data()), static_cast<std::streamsize>(chunk.size()));
        const auto count = static_cast<std::size_t>(source.gcount());
        if (count == 0) break;
        std::size_t accepted = 0;
        // A short write would lose the rest of the firmware image as surely as a failed one.
        if (!queue->Write(std::span(chunk).first(count), accepted) || accepted != count) {
            written = false;
            break;
        }
    }
    queue->EndPage();
    queue->EndDoc();
    queue->Close();
    return written;
}

}  // namespace zt40
