#include "solver/difficulty.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "carve/grid_shape_copy.h"
#include "carve/shape_carve.h"
#include "grid/grid_from_maze.h"
#include "model/seeded_random.h"
#include "shape/make_topology.h"
#include "shape/moved_ends.h"
#include "solver/farthest_exits.h"
#include "solver/maze_pictures.h"
#include "solver/maze_stats.h"
#include "solver/shape_search.h"
#include "solver/view_measures.h"

namespace nitka {
namespace {

using testing::gridFromMaze;
using testing::mazeFromPicture;

// The parts along the shortest route a search of its own finds, between the
// ends the measures use; nullopt without a route.
template <typename Maze>
std::optional<DifficultyParts> partsOf(Maze& maze) {
    const std::uint64_t reachable = measureMaze(maze).reachable;
    const measure::Ends ends = measure::endsOf(maze);
    return withMazeView(maze, [&](const auto& view) -> std::optional<DifficultyParts> {
        const auto route = shortestRoute(view, ends.start, ends.target);
        if (!route) {
            return std::nullopt;
        }
        return difficultyParts(view, *route, reachable);
    });
}

// A shortest route from the top-left to the bottom-right corner runs down the
// left side and along the bottom, 6 cells; the loop on the right leaves 12
// cells reachable.
//
//   +--+--+--+--+
//   |           |      (0,0) offers the top row: a decision
//   +  +--+--+--+
//   |     |     |      (0,1) offers (1,1): a decision
//   +  +--+  +  +      (0,2) and (1,2) offer nothing
//   |           |      (2,2) offers (2,1): a decision
//   +--+--+--+--+
TEST(Difficulty, CountsRouteReachableAndDecisionsOfAPictureMaze) {
    WallGrid grid = gridFromMaze(mazeFromPicture({
        "+--+--+--+--+",
        "|           |",
        "+  +--+--+--+",
        "|     |     |",
        "+  +--+  +  +",
        "|           |",
        "+--+--+--+--+",
    }));
    const auto parts = partsOf(grid);
    ASSERT_TRUE(parts);
    EXPECT_EQ(parts->routeCells, 6u);
    EXPECT_EQ(parts->reachable, 12u);
    EXPECT_EQ(parts->decisions, 3u);
    // 6 route cells and half the 6 others: 9 cells, 0.9 + 3.
    EXPECT_DOUBLE_EQ(expectedExploredCells(*parts), 9);
    EXPECT_DOUBLE_EQ(difficultyScore(*parts), 3.9);

    // The same maze on squares of the general kind scores the same.
    ShapeMaze shape(makeTopology(ShapeKind::Rect, 4, 3));
    copyGridToShape(grid, shape);
    const auto shapeParts = partsOf(shape);
    ASSERT_TRUE(shapeParts);
    EXPECT_EQ(shapeParts->routeCells, parts->routeCells);
    EXPECT_EQ(shapeParts->decisions, parts->decisions);
}

TEST(Difficulty, NoneWithoutARoute) {
    WallGrid grid(3, 3);
    EXPECT_FALSE(partsOf(grid));
    ShapeMaze maze(makeTopology(ShapeKind::Hex, 3, 3));
    EXPECT_FALSE(shapeDifficulty(maze));
}

double scoreOf(ShapeKind shape, CarveMethod method, int side, std::uint64_t seed) {
    ShapeMaze maze(makeTopology(shape, side, shape == ShapeKind::Polar ? side / 2 : side));
    SeededRandom random(seed);
    CarveOptions options;
    options.method = method;
    carveShapeMaze(maze, options, random);
    return *shapeDifficulty(maze);
}

double scoreOf(CarveMethod method, int side, std::uint64_t seed) {
    WallGrid grid(side, side);
    SeededRandom random(seed);
    CarveOptions options;
    options.method = method;
    carveMaze(grid, options, random);
    return difficultyScore(*partsOf(grid));
}

// The mean over some seeds grows with the size for every method on every
// shape, and the same maze always scores the same.
TEST(Difficulty, IsRepeatableAndRisesWithSize) {
    constexpr int kSeeds = 8;
    const std::vector<int> sides = {6, 12, 24, 48};
    for (const CarveMethod method : {CarveMethod::DepthFirst, CarveMethod::Prim,
                                     CarveMethod::Wilson, CarveMethod::BinaryTree}) {
        for (const ShapeKind shape :
             {ShapeKind::Rect, ShapeKind::Hex, ShapeKind::Triangle, ShapeKind::Polar}) {
            if (method == CarveMethod::BinaryTree && shape != ShapeKind::Rect) {
                continue;
            }
            SCOPED_TRACE(std::string(carveMethodInfo(method).name) + " on " +
                         std::string(shapeName(shape)));
            double previous = 0;
            for (const int side : sides) {
                double sum = 0;
                for (std::uint64_t seed = 1; seed <= kSeeds; ++seed) {
                    const double score = method == CarveMethod::BinaryTree
                                             ? scoreOf(method, side, seed)
                                             : scoreOf(shape, method, side, seed);
                    EXPECT_EQ(score, method == CarveMethod::BinaryTree
                                         ? scoreOf(method, side, seed)
                                         : scoreOf(shape, method, side, seed));
                    sum += score;
                }
                EXPECT_GT(sum / kSeeds, previous) << side;
                previous = sum / kSeeds;
            }
        }
    }
}

// In one corridor winding down the maze the exits are its two ends.
TEST(FarthestExits, AreTheEdgeCellsFarthestApartAlongThePassages) {
    WallGrid grid = gridFromMaze(mazeFromPicture({
        "+--+--+--+",
        "|        |",
        "+--+--+  +",
        "|        |",
        "+  +--+--+",
        "|        |",
        "+--+--+--+",
    }));
    ShapeMaze maze(makeTopology(ShapeKind::Rect, 3, 3));
    copyGridToShape(grid, maze);
    const Exits exits = farthestExits(maze);
    const Topology& topology = maze.topology();
    EXPECT_EQ(topology.position(exits.start), (CellPosition{2, 2}));
    EXPECT_EQ(topology.position(exits.target), (CellPosition{0, 0}));

    const ShapeMaze moved = withFarthestExits(maze);
    EXPECT_TRUE(hasMovedEnds(moved.topology()));
    EXPECT_EQ(moved.topology().start(), exits.start);
    for (CellId cell = 0; cell < topology.slotCount(); ++cell) {
        EXPECT_EQ(moved.heldBits(cell), maze.heldBits(cell));
    }
}

// On a carved maze of every shape the exits lie on the edge and no two edge
// cells lie farther apart (checked against every pair on a small maze).
TEST(FarthestExits, NoTwoEdgeCellsLieFartherApart) {
    for (const ShapeKind shape :
         {ShapeKind::Rect, ShapeKind::Hex, ShapeKind::Triangle, ShapeKind::Polar}) {
        SCOPED_TRACE(std::string(shapeName(shape)));
        ShapeMaze maze(makeTopology(shape, 6, shape == ShapeKind::Polar ? 3 : 5));
        SeededRandom random(11);
        carveShapeMaze(maze, CarveOptions{}, random);
        const Topology& topology = maze.topology();
        const Exits exits = farthestExits(maze);
        ASSERT_TRUE(isEdgeCell(topology, exits.start));
        ASSERT_TRUE(isEdgeCell(topology, exits.target));
        const auto distance = [&](CellId from, CellId to) {
            return findShortestShapeRoute(maze, from, to)->moves();
        };
        const std::uint64_t found = distance(exits.start, exits.target);
        for (CellId a = 0; a < topology.slotCount(); ++a) {
            for (CellId b = a + 1; b < topology.slotCount(); ++b) {
                if (isEdgeCell(topology, a) && isEdgeCell(topology, b)) {
                    ASSERT_LE(distance(a, b), found) << a << " " << b;
                }
            }
        }
    }
}

}  // namespace
}  // namespace nitka
