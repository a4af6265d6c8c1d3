#include "solver/maze_stats.h"

#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "carve/braid.h"
#include "carve/carve_method.h"
#include "carve/grid_shape_copy.h"
#include "carve/shape_carve.h"
#include "grid/grid_from_maze.h"
#include "solver/maze_pictures.h"
#include "support/shape_layouts.h"

namespace nitka {
namespace {

MazeStats measuredAsShape(const WallGrid& grid) {
    ShapeMaze maze(testing::plainRect(grid.width(), grid.height()));
    copyGridToShape(grid, maze);
    const MazeStats stats = measureMaze(maze);
    EXPECT_TRUE(testing::scratchClear(maze));
    return stats;
}

// On squares every measure is measureMaze's, for pictures of rings, regions
// apart and open fields, and for carved mazes with and without loops.
TEST(ShapeStats, MeasuresAsMeasureMazeOnTheSameMaze) {
    const std::vector<std::vector<std::string_view>> pictures{
        {"+--+--+", "|     |", "+  +  +", "|     |", "+--+--+"},
        {"+--+--+--+", "|        |", "+  +--+  +", "|     |  |", "+--+  +  +", "|        |",
         "+--+--+--+"},
        {"+--+--+--+", "|     |  |", "+  +  +  +", "|     |  |", "+--+--+--+"},
        {"+--+--+--+", "|        |", "+  +  +  +", "|        |", "+  +  +  +", "|        |",
         "+--+--+--+"},
        {"+--+--+--+", "|     |  |", "+--+--+  +", "|     |  |", "+--+--+--+"},
    };
    for (const auto& picture : pictures) {
        WallGrid grid = testing::gridFromMaze(testing::mazeFromPicture(picture));
        EXPECT_EQ(measuredAsShape(grid), measureMaze(grid)) << picture[1];
    }
    for (const auto& info : carveMethods()) {
        for (const double braid : {0.0, 0.3, 1.0}) {
            SCOPED_TRACE(std::string(info.name) + " braid " + std::to_string(braid));
            CarveOptions options{info.method};
            options.braid = braid;
            WallGrid grid(27, 19);
            SeededRandom random(3);
            carveMaze(grid, options, random);
            EXPECT_EQ(measuredAsShape(grid), measureMaze(grid));
        }
    }
}

// Every layout: a carved maze is perfect on one island, its measures agree
// with each other, and a braided one has as many loops as extra passages.
TEST(ShapeStats, MeasuresAgreeOnEveryLayout) {
    for (const auto& layout : testing::carvingLayouts()) {
        for (const double braid : {0.0, 0.5}) {
            SCOPED_TRACE(layout.label + " braid " + std::to_string(braid));
            ShapeMaze maze(layout.topology);
            CarveOptions options{CarveMethod::Wilson};
            options.braid = braid;
            SeededRandom random(4);
            carveShapeMaze(maze, options, random);
            const MazeStats stats = measureMaze(maze);
            const std::uint64_t cells = layout.topology->cellCount();
            EXPECT_EQ(stats.width, layout.topology->width());
            EXPECT_EQ(stats.cells, cells);
            EXPECT_EQ(stats.passages, testing::openSides(maze));
            EXPECT_EQ(stats.loops + cells, stats.passages + layout.islands);
            EXPECT_EQ(stats.deadEnds, countDeadEnds(maze));
            EXPECT_EQ(stats.perfect, layout.islands == 1 && stats.loops == 0);
            EXPECT_EQ(stats.reachable == cells, layout.islands == 1);
            EXPECT_EQ(stats.routeCells.has_value(), layout.islands == 1);
            if (braid == 0 && layout.islands == 1) {
                EXPECT_EQ(stats.shortestCells, stats.routeCells);
            }
            EXPECT_TRUE(testing::scratchClear(maze));
        }
    }
}

// A mask's ring with every side open is one corridor as long as the ring, with
// one loop; the search goes right first, the same length either way round.
TEST(ShapeStats, AnOpenRingOfAMaskIsOneCorridor) {
    ShapeMaze maze(testing::maskedRect({"####", "#..#", "####"}));
    std::array<CellId, kMaxNeighbours> list{};
    for (CellId cell = 0; cell < 12; ++cell) {
        if (maze.topology().isCell(cell)) {
            const int count = maze.topology().neighbours(cell, list);
            for (int i = 0; i < count; ++i) {
                maze.setOpen(cell, list[static_cast<std::size_t>(i)], true);
            }
        }
    }
    MazeStats expected{4, 3, 10, 10, false, 1, 0, 10, 1, 6, 6};
    EXPECT_EQ(measureMaze(maze), expected);
}

}  // namespace
}  // namespace nitka
