#include "render/ascii_render.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "carve/carve_method.h"
#include "carve/grid_shape_copy.h"
#include "model/seeded_random.h"
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

TEST(AsciiRender, ARectangleWithTheWindowsEndsDrawsAsTheWindowsRectangle) {
    for (const auto& [width, height] : {std::pair{1, 1}, {1, 6}, {7, 1}, {9, 5}, {4, 11}}) {
        for (std::uint64_t seed = 1; seed <= 4; ++seed) {
            WallGrid grid(width, height);
            SeededRandom random(seed);
            carveMaze(grid, CarveOptions{.method = CarveMethod::Kruskal}, random);
            for (std::uint64_t cell = 0; cell < grid.cellCount(); cell += 3) {
                grid.setScratch(cell, 1);
            }
            const ShapeMaze maze = shapeOf(grid, {0, 0}, {width - 1, height - 1});
            for (const bool route : {false, true}) {
                EXPECT_EQ(renderedShape(maze, route),
                          testing::rendered(renderAscii, grid, RenderOptions{.route = route}))
                    << width << " x " << height << " seed " << seed << " route " << route;
            }
        }
    }
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
        {"a top cell and the far corner's right side",
         {2, 0},
         {3, 2},
         false,
         "+---+---+   +---+\n"
         "|           |   |\n"
         "+   +---+---+   +\n"
         "|   |       |   |\n"
         "+---+   +---+   +\n"
         "|       |        \n"
         "+---+---+---+---+\n"},
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
        {"an inner start and a bottom cell",
         {2, 1},
         {0, 2},
         false,
         "+---+---+---+---+\n"
         "|           |   |\n"
         "+   +---+---+   +\n"
         "|   |     S |   |\n"
         "+---+   +---+   +\n"
         "|       |       |\n"
         "+   +---+---+---+\n"},
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
}

TEST(AsciiRender, DrawsOnlyRectanglesWithoutHoles) {
    EXPECT_TRUE(drawsInAscii(*makeTopology(ShapeKind::Rect, 3, 2)));
    for (const ShapeKind kind : {ShapeKind::Hex, ShapeKind::Triangle, ShapeKind::Polar}) {
        EXPECT_FALSE(drawsInAscii(*makeTopology(kind, 3, 2))) << shapeName(kind);
    }
    CellMask holed(3, 2);
    holed.set(4, false);
    EXPECT_FALSE(drawsInAscii(*makeTopology(ShapeKind::Rect, 3, 2, std::move(holed))));
}

}  // namespace
}  // namespace nitka
