// Where a wizard opens: beside the main window, clear of the simulator's window where the
// screen has room, and covering the waiting main window rather than a live one where it has not.
#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "app/WindowPlacement.h"

namespace zt40 {
namespace {

TEST(PlaceBeside, TakesTheNearestFreePlaceElseCoversTheOwnerBeforeTheOthers) {
    struct Case {
        const char* name;
        ScreenRect screen;
        ScreenRect owner;
        std::vector<ScreenRect> others;
        int width, height;
        std::optional<ScreenRect> place;
    };
    const std::vector<Case> cases{
        {"room on the right", {0, 0, 1280, 1024}, {100, 100, 400, 600}, {}, 640, 480, ScreenRect{412, 100, 1052, 580}},
        // The simulator's window right of the main window: the wizard goes under the main window,
        // not after the simulator where the screen ends.
        {"another window on the right", {0, 0, 1280, 1024}, {0, 0, 336, 504}, {{348, 0, 862, 491}}, 640, 480,
         ScreenRect{0, 516, 640, 996}},
        {"owner at the right edge, no room below", {0, 0, 1280, 800}, {900, 0, 1280, 500}, {}, 640, 480,
         ScreenRect{248, 0, 888, 480}},
        {"no room: covers the owner least", {0, 0, 1000, 600}, {0, 0, 400, 600}, {}, 700, 300,
         ScreenRect{300, 0, 1000, 300}},
        {"no room: the owner before another window", {0, 0, 1000, 700}, {0, 0, 400, 400}, {{412, 0, 1000, 700}}, 400,
         400, ScreenRect{0, 300, 400, 700}},
        {"wider than the screen", {0, 0, 1280, 1024}, {0, 0, 100, 100}, {}, 1281, 100, std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PlaceBeside(c.owner, c.width, c.height, c.others, c.screen), c.place) << c.name;
    }
}

}  // namespace
}  // namespace zt40
