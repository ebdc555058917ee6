#include "device/CVendorPacket.h"

#include <algorithm>
#include <new>

#include "device/CUsbPrintPort.h"

namespace zt40 {

namespace {
// A vendor request's data stage is counted in 16 bits; a larger packet could never be carried.
constexpr std::size_t kLargestPacket = 0xFFFF;
}  // namespace

CVendorPacket::CVendorPacket(IMessageBox& messages) : m_messages(messages) {}

bool CVendorPacket::Allocate(unsigned requestIndex, unsigned dataSize) {
    if (requestIndex > 7) return false;
    m_buffer.reset();
    m_size = 0;

    const std::size_t size = std::size_t{dataSize} + kHeaderSize;
    if (size <= kLargestPacket) {
        try {
            m_buffer = std::make_unique<std::uint8_t[]>(size);  // zero-filled
        } catch (const std::bad_alloc&) {
            m_buffer.reset();
        }
    }
    if (!m_buffer) {
        m_messages.Show(Message::Of(ZT40_TR("CVendorPacket", "Out of memory.")), MbButtons::Ok, MbIcon::None);
        return false;
    }
    m_size = size;
    m_buffer[0] = static_cast<std::uint8_t>(requestIndex - 16);
    return true;
}

bool CVendorPacket::SendAll(CUsbPrintPort& port) {
    if (!m_buffer) return false;
    return port.VendorSet({m_buffer.get(), m_size});
}

bool CVendorPacket::SendPrefix(CUsbPrintPort& port, std::size_t n) {
    if (!m_buffer || n > m_size - kHeaderSize) return false;
    return port.VendorSet({m_buffer.get(), kHeaderSize + n});
}

bool CVendorPacket::Receive(CUsbPrintPort& port) {
    if (!m_buffer) return false;
    return port.VendorGet({m_buffer.get(), m_size});
}

void CVendorPacket::RewindWrite() {
    if (kHeaderSize < m_size) m_write = kHeaderSize;
}

void CVendorPacket::PutByte(std::uint8_t value) {
    if (Room(m_write) == 0) return;
    m_buffer[m_write++] = value;
}

int CVendorPacket::PutBytes(std::span<const std::uint8_t> source) {
    if (source.empty()) return 0;
    if (source.size() > Room(m_write)) return -1;
    std::ranges::copy(source, m_buffer.get() + m_write);
    m_write += source.size();
    return static_cast<int>(source.size());
}

int CVendorPacket::PutLE16(std::span<const std::uint16_t> values) {
    int written = 0;
    for (const std::uint16_t value : values) {
        if (Room(m_write) < 2) break;
        m_buffer[m_write++] = static_cast<std::uint8_t>(value);
        m_buffer[m_write++] = static_cast<std::uint8_t>(value >> 8);
        ++written;
    }
    return written;
}

int CVendorPacket::PutLE32(std::span<const std::uint32_t> values) {
    int written = 0;
    for (const std::uint32_t value : values) {
        if (Room(m_write) < 4) break;
        for (int shift = 0; shift < 32; shift += 8) {
            m_buffer[m_write++] = static_cast<std::uint8_t>(value >> shift);
        }
        ++written;
    }
    return written;
}

void CVendorPacket::SeekRead(std::size_t offset) {
    if (offset < m_size - std::min(m_size, kHeaderSize)) m_read = kHeaderSize + offset;
}

std::optional<std::uint8_t> CVendorPacket::GetByte() {
    if (Room(m_read) == 0) return std::nullopt;
    return m_buffer[m_read++];
}

int CVendorPacket::GetBytes(std::span<std::uint8_t> target) {
    if (target.empty()) return 0;
    if (target.size() > Room(m_read)) return -1;
    std::copy_n(m_buffer.get() + m_read, target.size(), target.begin());
    m_read += target.size();
    return static_cast<int>(target.size());
}

int CVendorPacket::GetLE16(std::span<std::uint16_t> targets) {
    int read = 0;
    for (std::uint16_t& target : targets) {
        if (Room(m_read) < 2) break;
        target = static_cast<std::uint16_t>(m_buffer[m_read] | (m_buffer[m_read + 1] << 8));
        m_read += 2;
        ++read;
    }
    return read;
}

int CVendorPacket::GetLE32(std::span<std::uint32_t> targets) {
    int read = 0;
    for (std::uint32_t& target : targets) {
        if (Room(m_read) < 4) break;
        std::uint32_t value = 0;
        for (int i = 3; i >= 0; --i) value = (value << 8) | m_buffer[m_read + static_cast<std::size_t>(i)];
        target = value;
        m_read += 4;
        ++read;
    }
    return read;
}

}  // namespace zt40
