#pragma once
// The ZT-40's command frames as they travel in vendor requests, declared once for the host
// side, the firmware model and the channels below both.
#include <cstddef>
#include <cstdint>

namespace zt40::wire {

// Every request: request code, value low, value high (F0 00 00), then the data area.
inline constexpr std::uint8_t kRequestCode = 0xF0;
inline constexpr std::size_t kHeaderSize = 3;
inline constexpr std::size_t kDataSize = 32;
// The packet is opened with this request index and kDataSize bytes of data area.
inline constexpr unsigned kRequestIndex = 0;

// Frame layout in the data area: [opcode][count and item type][sub-command][argument][items].
inline constexpr std::size_t kOpcodeByte = 0;
inline constexpr std::size_t kCountByte = 1;
inline constexpr std::size_t kSubCommandByte = 2;
inline constexpr std::size_t kArgumentByte = 3;
inline constexpr std::size_t kItemsOffset = 4;
// Short frames: [opcode][count and item type][items from 2].
inline constexpr std::size_t kShortItemsOffset = 2;

inline constexpr std::uint8_t kOpStatus = 0x01;
inline constexpr std::uint8_t kOpMotionBlock = 0x40;
inline constexpr std::uint8_t kOpDownload = 0x64;
inline constexpr std::uint8_t kOpExtended = 0x78;

// Item width in bits 5-6 of the count byte, the count in bits 0-4.
inline constexpr std::uint8_t kItems8 = 0x00;
inline constexpr std::uint8_t kItems16 = 0x20;
inline constexpr std::uint8_t kItems32 = 0x40;
inline constexpr std::uint8_t kCountMask = 0x1F;
inline constexpr std::uint8_t kTypeMask = 0xE0;

enum SubCommand : std::uint8_t {
    kHeadFlag = 0,
    kSelectPin = 1,
    kPinAdjustments = 2,
    kWordPair = 3,
    kMoveHead = 4,
    kPinCounter = 5,
    kTotalCounter = 6,
    kHeadCounters = 7,
    kSelectedPin = 8,
};

// The argument byte of the read/write groups; a pin counter's argument is the pin, plus
// kPinCounterRead to read it.
inline constexpr std::uint8_t kRead = 1;
inline constexpr std::uint8_t kWrite = 0;
inline constexpr std::uint8_t kPinCounterRead = 0x80;

}  // namespace zt40::wire
