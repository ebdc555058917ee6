#pragma once
// Where a window opens beside the one it belongs to: a wizard centred over the main window
// hides what it reports on, and one over the simulator's window hides the switches its power
// pages wait for. Pure geometry: each edition asks its toolkit for the rectangles.
#include <optional>
#include <span>

namespace zt40 {

// A rectangle in screen pixels, right and bottom exclusive; a window's includes its frame.
struct ScreenRect {
    int left = 0, top = 0, right = 0, bottom = 0;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    // The area the two have in common.
    long long Overlap(const ScreenRect& other) const;
    bool Contains(const ScreenRect& other) const {
        return left <= other.left && other.right <= right && top <= other.top && other.bottom <= bottom;
    }
    bool operator==(const ScreenRect&) const = default;
};

// What is left free between two windows side by side.
inline constexpr int kWindowGap = 12;

// The place for a window of `width` by `height` on `screen`, of those lined up with an edge of
// the screen, the owner or another window: the one that covers least of `others` (none where
// there is room), then least of `owner`, then the one nearest the owner. The others come first:
// the owner waits while its wizard is open, the others (the simulator's switches) do not.
// Nothing when the window is larger than the screen.
std::optional<ScreenRect> PlaceBeside(const ScreenRect& owner, int width, int height,
                                      std::span<const ScreenRect> others, const ScreenRect& screen);

}  // namespace zt40
