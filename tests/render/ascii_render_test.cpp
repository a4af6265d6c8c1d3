#include "render/ascii_render.h"

#include <gtest/gtest.h>

#include <string>

#include "render/render_fixture.h"

namespace nitka {
namespace {

TEST(AsciiRender, DrawsEveryCornerAndWallAndTheRouteOnlyWhenAsked) {
    const WallGrid grid = testing::picturedGrid();
    const std::string walls =
        "+---+---+---+---+\n"
        "|           |   |\n"
        "+   +---+---+   +\n"
        "|   |       |   |\n"
        "+---+   +---+   +\n"
        "|       |       |\n"
        "+---+---+---+---+\n";
    EXPECT_EQ(testing::rendered(renderAscii, grid, RenderOptions{}), walls);
    std::string route = walls;  // dots in the three cells left of the top row's wall
    route.replace(20, 9, "o   o   o");
    EXPECT_EQ(testing::rendered(renderAscii, grid, RenderOptions{.route = true}), route);
}

}  // namespace
}  // namespace nitka
