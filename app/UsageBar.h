#pragma once
// One pin's usage bar as pure geometry: the toolkit paints what this returns.
#include <array>
#include <cstdint>

#include "platform/WearBands.h"

namespace zt40 {

struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
    bool operator==(const Rgb&) const = default;
};

// A rectangle in pixels, right and bottom exclusive as the toolkits draw them.
struct BarRect {
    int left = 0, top = 0, right = 0, bottom = 0;
    bool operator==(const BarRect&) const = default;
};

inline constexpr int kBarSegments = 11;
// The segments sit inside the marker, this far from its top and bottom.
inline constexpr int kSegmentInset = 3;

inline constexpr Rgb kBarFrameColour{64, 64, 64};  // behind all nine bars
inline constexpr Rgb kBarOutlineColour{0, 0, 0};   // segment outlines and the line over each bar

struct BarSegment {
    BarRect rect;
    Rgb fill;
    bool lit = false;
    bool operator==(const BarSegment&) const = default;
};

struct UsageBar {
    // The line over the bar, from (left, top) to (right, top) of the marker.
    int lineLeft = 0, lineRight = 0, lineY = 0;
    std::array<BarSegment, kBarSegments> segments{};
};

// The bar for `count` in the rectangle of its marker. Segment width is the marker's width / 11
// in whole pixels, so up to 10 pixels at the right end stay uncovered. `greyed` (the printer
// is not connected) paints every segment in a grey of its colour's lightness: the count and
// the bands stay readable, the colours no longer claim to be current.
UsageBar MakeUsageBar(std::int32_t count, const BarRect& marker, bool greyed = false);

// The grey of `colour`'s lightness, lifted towards the middle so that dark segments stay visible.
Rgb Greyed(const Rgb& colour);

// The frame behind the bars: from the first marker's top left to the last marker's bottom,
// the first marker's right edge.
BarRect UsageBarsFrame(const BarRect& firstMarker, const BarRect& lastMarker);

}  // namespace zt40
