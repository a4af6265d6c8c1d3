#include "render/ascii_render.h"

#include <gtest/gtest.h>

#include <string>

#include "render/render_fixture.h"
#include "render/route_marks.h"

namespace nitka {
namespace {

class AsciiRender : public ::testing::Test {
protected:
    AsciiRender() {
        GridRoute route({0, 0});
        route.push(Step::Right);
        route.push(Step::Right);
        markRoute(grid, route);
    }

    WallGrid grid = testing::picturedGrid();
};

TEST_F(AsciiRender, DrawsEveryCornerWallAndRouteCell) {
    EXPECT_EQ(testing::rendered(renderAscii, grid, RenderOptions{.route = true}),
              "+---+---+---+---+\n"
              "| o   o   o |   |\n"
              "+   +---+---+   +\n"
              "|   |       |   |\n"
              "+---+   +---+   +\n"
              "|       |       |\n"
              "+---+---+---+---+\n");
}

TEST_F(AsciiRender, LeavesTheScratchBitsAloneWithoutTheRoute) {
    EXPECT_EQ(testing::rendered(renderAscii, grid, RenderOptions{}),
              "+---+---+---+---+\n"
              "|           |   |\n"
              "+   +---+---+   +\n"
              "|   |       |   |\n"
              "+---+   +---+   +\n"
              "|       |       |\n"
              "+---+---+---+---+\n");
}

}  // namespace
}  // namespace nitka
