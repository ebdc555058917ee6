#pragma once
// The one reusable request buffer: a 3-byte vendor header (request code, value)
// followed by the data area that frames are written into and replies read from.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>

#include "platform/MessageBox.h"
#include "platform/WireFormat.h"

namespace zt40 {

class CUsbPrintPort;

class CVendorPacket {
public:
    static constexpr std::size_t kHeaderSize = wire::kHeaderSize;

    explicit CVendorPacket(IMessageBox& messages);
    virtual ~CVendorPacket() = default;
    CVendorPacket(const CVendorPacket&) = delete;
    CVendorPacket& operator=(const CVendorPacket&) = delete;

    // A fresh zeroed buffer with the header F0+index 00 00. False (and an "Out of memory."
    // box when the block cannot be had) leaves no buffer; an index above 7 changes nothing.
    bool Allocate(unsigned requestIndex, unsigned dataSize);

    bool SendAll(CUsbPrintPort& port);
    bool SendPrefix(CUsbPrintPort& port, std::size_t n);
    bool Receive(CUsbPrintPort& port);

    void RewindWrite();
    void PutByte(std::uint8_t value);
    int PutBytes(std::span<const std::uint8_t> source);
    int PutLE16(std::span<const std::uint16_t> values);
    int PutLE32(std::span<const std::uint32_t> values);

    void SeekRead(std::size_t offset);
    std::optional<std::uint8_t> GetByte();
    int GetBytes(std::span<std::uint8_t> target);
    int GetLE16(std::span<std::uint16_t> targets);
    int GetLE32(std::span<std::uint32_t> targets);

    bool HasBuffer() const { return m_buffer != nullptr; }
    // The whole packet (header and data area); empty without a buffer.
    std::span<const std::uint8_t> Bytes() const { return {m_buffer.get(), m_size}; }
    std::span<const std::uint8_t> Data() const { return Bytes().subspan(m_size ? kHeaderSize : 0); }
    std::size_t WriteOffset() const { return m_write - kHeaderSize; }
    std::size_t ReadOffset() const { return m_read - kHeaderSize; }

private:
    std::size_t Room(std::size_t cursor) const { return cursor < m_size ? m_size - cursor : 0; }

    IMessageBox& m_messages;
    std::unique_ptr<std::uint8_t[]> m_buffer;
    std::size_t m_size = 0;                // header + data area; 0 without a buffer
    std::size_t m_write = kHeaderSize;     // offsets into the buffer
    std::size_t m_read = kHeaderSize;
};

}  // namespace zt40
