// The usage bar's segments: thresholds, colour bands and the whole-pixel geometry.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "app/UsageBar.h"

namespace zt40 {
namespace {

constexpr Rgb kGreen{32, 255, 32}, kDarkGreen{0, 32, 0};
constexpr Rgb kYellow{255, 255, 32}, kDarkYellow{32, 32, 0};
constexpr Rgb kRed{255, 32, 32}, kDarkRed{32, 0, 0};

struct CountCase {
    std::int32_t count;
    int lit;
};

class UsageBarCount : public ::testing::TestWithParam<CountCase> {};

TEST_P(UsageBarCount, LightsWholeMillionsFromTheLeft) {
    const auto bar = MakeUsageBar(GetParam().count, {0, 0, 110, 20});
    for (int k = 0; k < kBarSegments; ++k) {
        const auto& segment = bar.segments[static_cast<std::size_t>(k)];
        EXPECT_EQ(segment.lit, k < GetParam().lit) << "segment " << k;
        const Rgb expected = k < 7 ? (segment.lit ? kGreen : kDarkGreen)
                             : k < 9 ? (segment.lit ? kYellow : kDarkYellow)
                                     : (segment.lit ? kRed : kDarkRed);
        EXPECT_EQ(segment.fill, expected) << "segment " << k;
    }
}

INSTANTIATE_TEST_SUITE_P(Thresholds, UsageBarCount,
                         ::testing::Values(CountCase{0, 0}, CountCase{999'999, 0}, CountCase{1'000'000, 1},
                                           CountCase{7'999'999, 7}, CountCase{8'000'000, 8},
                                           CountCase{9'999'999, 9}, CountCase{10'000'000, 10},
                                           CountCase{11'000'000, 11}, CountCase{12'345'678, 11},
                                           CountCase{std::numeric_limits<std::int32_t>::max(), 11},
                                           CountCase{-1, 0}, CountCase{-1'000'000, 0},
                                           CountCase{std::numeric_limits<std::int32_t>::min(), 0}));

struct GeometryCase {
    BarRect marker;
    int segmentWidth;
    int uncovered;  // pixels at the right end that no segment covers
};

class UsageBarGeometry : public ::testing::TestWithParam<GeometryCase> {};

TEST_P(UsageBarGeometry, SegmentsAreWholePixelsInsideTheMarker) {
    const GeometryCase& c = GetParam();
    const auto bar = MakeUsageBar(5'000'000, c.marker);
    EXPECT_EQ(bar.lineLeft, c.marker.left);
    EXPECT_EQ(bar.lineRight, c.marker.right);
    EXPECT_EQ(bar.lineY, c.marker.top);
    for (int k = 0; k < kBarSegments; ++k) {
        const BarRect& r = bar.segments[static_cast<std::size_t>(k)].rect;
        EXPECT_EQ(r.left, c.marker.left + c.segmentWidth * k);
        EXPECT_EQ(r.right - r.left, c.segmentWidth);
        EXPECT_EQ(r.top, c.marker.top + 3);
        EXPECT_EQ(r.bottom, c.marker.bottom - 3);
    }
    EXPECT_EQ(c.marker.right - bar.segments.back().rect.right, c.uncovered);
}

INSTANTIATE_TEST_SUITE_P(Markers, UsageBarGeometry,
                         ::testing::Values(GeometryCase{{10, 20, 120, 40}, 10, 0},
                                           GeometryCase{{10, 20, 119, 40}, 9, 10},
                                           GeometryCase{{0, 0, 150, 15}, 13, 7},
                                           GeometryCase{{-5, 0, 6, 8}, 1, 0},
                                           GeometryCase{{0, 0, 10, 8}, 0, 10}));

TEST(UsageBarFrame, SpansFromTheFirstMarkerToTheLastMarkersBottom) {
    EXPECT_EQ(UsageBarsFrame({50, 100, 250, 120}, {52, 260, 260, 280}), (BarRect{50, 100, 250, 280}));
}

}  // namespace
}  // namespace zt40
