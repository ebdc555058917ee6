#include "app/UsageBar.h"

namespace zt40 {

namespace {

constexpr Rgb kLit[] = {{32, 255, 32}, {255, 255, 32}, {255, 32, 32}};
constexpr Rgb kUnlit[] = {{0, 32, 0}, {32, 32, 0}, {32, 0, 0}};

std::size_t Band(int segment) { return static_cast<std::size_t>(BandOfSegment(segment)); }

}  // namespace

Rgb Greyed(const Rgb& colour) {
    const int lightness = (colour.r * 30 + colour.g * 59 + colour.b * 11) / 100;
    const auto grey = static_cast<std::uint8_t>((lightness + 128) / 2);
    return {grey, grey, grey};
}

UsageBar MakeUsageBar(std::int32_t count, const BarRect& marker, bool greyed) {
    UsageBar bar;
    bar.lineLeft = marker.left;
    bar.lineRight = marker.right;
    bar.lineY = marker.top;
    // Truncates towards zero: a negative count lights nothing.
    const std::int32_t lit = count / kCountsPerSegment;
    const int width = (marker.right - marker.left) / kBarSegments;
    for (int k = 0; k < kBarSegments; ++k) {
        auto& segment = bar.segments[static_cast<std::size_t>(k)];
        segment.rect = {marker.left + width * k, marker.top + kSegmentInset, marker.left + width * (k + 1),
                        marker.bottom - kSegmentInset};
        segment.lit = k < lit;
        segment.fill = segment.lit ? kLit[Band(k)] : kUnlit[Band(k)];
        if (greyed) segment.fill = Greyed(segment.fill);
    }
    return bar;
}

BarRect UsageBarsFrame(const BarRect& firstMarker, const BarRect& lastMarker) {
    return {firstMarker.left, firstMarker.top, firstMarker.right, lastMarker.bottom};
}

}  // namespace zt40
