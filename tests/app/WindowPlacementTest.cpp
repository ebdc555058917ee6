// A wizard beside the main window, clear of the simulator's where there is room, else over the owner first.
#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "app/WindowPlacement.h"

namespace zt40 {
namespace {

TEST(PlaceBeside, TakesTheNearestFreePlaceElseCoversTheOwnerBeforeTheOthers) {
    const ScreenRect screen{0, 0, 1280, 1024};
    const struct {
        const char* name;
        ScreenRect screen, owner;
        std::vector<ScreenRect> others;
        int width, height;
        std::optional<ScreenRect> place;
    } cases[] = {
        {"room on the right", screen, {100, 100, 400, 600}, {}, 640, 480, ScreenRect{412, 100, 1052, 580}},
        {"another on the right", screen, {0, 0, 336, 504}, {{348, 0, 862, 491}}, 640, 480, ScreenRect{0, 516, 640, 996}},
        {"at the right edge", {0, 0, 1280, 800}, {900, 0, 1280, 500}, {}, 640, 480, ScreenRect{248, 0, 888, 480}},
        {"no room", {0, 0, 1000, 600}, {0, 0, 400, 600}, {}, 700, 300, ScreenRect{300, 0, 1000, 300}},
        {"the owner first", {0, 0, 1000, 700}, {0, 0, 400, 400}, {{412, 0, 1000, 700}}, 400, 400,
         ScreenRect{0, 300, 400, 700}},
        {"wider than the screen", screen, {0, 0, 100, 100}, {}, 1281, 100, std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(PlaceBeside(c.owner, c.width, c.height, c.others, c.screen), c.place) << c.name;
}

}  // namespace
}  // namespace zt40
