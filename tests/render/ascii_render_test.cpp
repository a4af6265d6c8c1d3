#include "render/ascii_render.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "carve/grid_shape_copy.h"
#include "render/render_fixture.h"
#include "shape/make_topology.h"
#include "shape/moved_ends.h"

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

// The grid's walls and route marks on squares of the general kind whose start
// and target are those given.
ShapeMaze shapeOf(const WallGrid& grid, CellPosition start, CellPosition target) {
    auto layout = makeTopology(ShapeKind::Rect, grid.width(), grid.height());
    const CellId from = layout->cellAt(start);
    const CellId to = layout->cellAt(target);
    ShapeMaze maze(withEnds(std::move(layout), from, to));
    copyGridToShape(grid, maze);
    for (CellId cell = 0; cell < grid.cellCount(); ++cell) {
        maze.setScratch(cell, grid.scratch(cell));
    }
    return maze;
}

std::string renderedShape(const ShapeMaze& maze, bool route) {
    std::stringbuf out;
    renderShapeAscii(maze, RenderOptions{.route = route}, out);
    return std::move(out).str();
}

TEST(AsciiRender, MovedEndsOpenTheOuterWallOrShowTheirLetter) {
    struct Case {
        const char* what;
        CellPosition start;
        CellPosition target;
        bool route;
        std::string picture;
    };
    const std::vector<Case> cases = {
        {"a left cell, and an inner cell's letter over the route",
         {0, 1},
         {1, 1},
         true,
         "+---+---+---+---+\n"
         "| o   o   o |   |\n"
         "+   +---+---+   +\n"
         "    | F     |   |\n"
         "+---+   +---+   +\n"
         "|       |       |\n"
         "+---+---+---+---+\n"},
        {"both in one corner, each through a side of its own",
         {0, 0},
         {0, 0},
         false,
         "+   +---+---+---+\n"
         "            |   |\n"
         "+   +---+---+   +\n"
         "|   |       |   |\n"
         "+---+   +---+   +\n"
         "|       |       |\n"
         "+---+---+---+---+\n"},
    };
    WallGrid grid = testing::picturedGrid();
    grid.setScratch(grid.index({1, 1}), 1);  // under the target's letter
    for (const Case& c : cases) {
        EXPECT_EQ(renderedShape(shapeOf(grid, c.start, c.target), c.route), c.picture) << c.what;
    }
    // With the window's own ends it draws as the window's rectangle.
    EXPECT_EQ(renderedShape(shapeOf(grid, {0, 0}, {3, 2}), true),
              testing::rendered(renderAscii, grid, RenderOptions{.route = true}));
}

}  // namespace
}  // namespace nitka
