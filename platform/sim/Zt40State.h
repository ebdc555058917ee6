#pragma once
// What a ZT-40 keeps in its own memory: the values the device commands read and write,
// held as the printer holds them (signed where the host treats them as signed).
#include <array>
#include <cstdint>
#include <vector>

#include "platform/PinRange.h"

namespace zt40 {

inline constexpr int kSimPinCount = kPinCount;

// One head-cleaning motion step as the printer received it.
struct MotionBlock {
    std::uint16_t word = 0;
    std::vector<std::int32_t> values;
    bool operator==(const MotionBlock&) const = default;
};

struct Zt40State {
    std::uint16_t status = 1;  // 1 = ready
    std::array<std::int16_t, 2> wordPair{};
    std::uint8_t selectedPin = 1;
    std::array<std::int16_t, kSimPinCount> adjustments{};
    std::int32_t total = 0;
    std::array<std::int32_t, kSimPinCount> pinCounters{};
    std::array<std::int16_t, 2> headCounters{};
    bool headFlag = false;
    std::uint8_t headPosition = 0;
    std::vector<MotionBlock> motionBlocks;  // every block received, oldest first
    std::vector<std::uint8_t> downloads;    // argument bytes of the download commands received

    bool operator==(const Zt40State&) const = default;
};

}  // namespace zt40
