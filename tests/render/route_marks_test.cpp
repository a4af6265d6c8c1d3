#include "render/route_marks.h"

#include <gtest/gtest.h>

#include <string>

namespace nitka {
namespace {

// What a search leaves in the scratch bits must not show as route.
TEST(MarkRoute, MarksTheRoutesCellsAndClearsEveryOther) {
    WallGrid grid(4, 3);
    for (std::size_t i = 0; i < grid.cellCount(); ++i) {
        grid.setScratch(i, static_cast<std::uint8_t>(i % 16));
    }
    GridRoute route({1, 2});
    for (const Step step : {Step::Up, Step::Up, Step::Right, Step::Down}) {
        route.push(step);
    }
    markRoute(grid, route);
    std::string marks;
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 4; ++x) {
            marks += grid.scratch(grid.index({x, y})) != 0 ? 'o' : '.';
        }
        marks += '\n';
    }
    EXPECT_EQ(marks,
              ".oo.\n"
              ".oo.\n"
              ".o..\n");
}

}  // namespace
}  // namespace nitka
