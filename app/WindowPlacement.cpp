#include "app/WindowPlacement.h"

#include <algorithm>
#include <cstdint>
#include <tuple>
#include <vector>

namespace zt40 {

namespace {

std::int64_t CentreDistance(const ScreenRect& a, const ScreenRect& b) {
    // Doubled centres: no rounding, and the order of the distances is the same.
    const std::int64_t dx = std::int64_t{a.left} + a.right - b.left - b.right;
    const std::int64_t dy = std::int64_t{a.top} + a.bottom - b.top - b.bottom;
    return dx * dx + dy * dy;
}

}  // namespace

long long ScreenRect::Overlap(const ScreenRect& other) const {
    const long long width = std::min(right, other.right) - std::max(left, other.left);
    const long long height = std::min(bottom, other.bottom) - std::max(top, other.top);
    return width > 0 && height > 0 ? width * height : 0;
}

std::optional<ScreenRect> PlaceBeside(const ScreenRect& owner, int width, int height,
                                      std::span<const ScreenRect> others, const ScreenRect& screen) {
    std::vector<ScreenRect> taken(others.begin(), others.end());
    taken.push_back(owner);
    // The owner's own top and left come first, so that of two places equally good the one
    // lined up with the owner wins.
    std::vector<int> lefts{owner.left, screen.left, screen.right - width};
    std::vector<int> tops{owner.top, screen.top, screen.bottom - height};
    for (const ScreenRect& window : taken) {
        lefts.insert(lefts.end(), {window.right + kWindowGap, window.left - kWindowGap - width, window.left});
        tops.insert(tops.end(), {window.bottom + kWindowGap, window.top - kWindowGap - height, window.top});
    }
    std::optional<ScreenRect> best;
    std::tuple<long long, long long, std::int64_t> bestCost;
    for (const int top : tops) {
        for (const int left : lefts) {
            const ScreenRect place{left, top, left + width, top + height};
            if (!screen.Contains(place)) continue;
            long long coveredOthers = 0;
            for (const ScreenRect& window : others) coveredOthers += window.Overlap(place);
            const std::tuple<long long, long long, std::int64_t> cost{coveredOthers, owner.Overlap(place),
                                                                      CentreDistance(place, owner)};
            if (!best || cost < bestCost) {
                best = place;
                bestCost = cost;
            }
        }
    }
    return best;
}

}  // namespace zt40
