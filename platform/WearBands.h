#pragma once
// How worn a pin is, in the bands the usage bars colour: green, then yellow (time to plan a
// change), then red (change the pin). The bars, the forecast, the metrics and the
// notifications all take their thresholds from here.
#include <cstdint>

namespace zt40 {

// A bar lights one segment per million counts; segments 0..6 are green, 7..8 yellow, 9..10 red.
inline constexpr std::int32_t kCountsPerSegment = 1'000'000;
inline constexpr int kFirstYellowSegment = 7;
inline constexpr int kFirstRedSegment = 9;

// Segment k lights from (k + 1) million counts.
constexpr std::int32_t FirstCountLighting(int segment) { return (segment + 1) * kCountsPerSegment; }

inline constexpr std::int32_t kYellowFromCount = FirstCountLighting(kFirstYellowSegment);  // 8,000,000
inline constexpr std::int32_t kRedFromCount = FirstCountLighting(kFirstRedSegment);        // 10,000,000

enum class WearBand { Green, Yellow, Red };

constexpr WearBand BandOfSegment(int segment) {
    if (segment >= kFirstRedSegment) return WearBand::Red;
    return segment >= kFirstYellowSegment ? WearBand::Yellow : WearBand::Green;
}

constexpr WearBand BandOfCount(std::int32_t count) {
    if (count >= kRedFromCount) return WearBand::Red;
    return count >= kYellowFromCount ? WearBand::Yellow : WearBand::Green;
}

static_assert(kYellowFromCount == 8'000'000 && kRedFromCount == 10'000'000);

}  // namespace zt40
