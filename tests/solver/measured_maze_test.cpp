#include "solver/measured_maze.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "carve/carve_method.h"
#include "carve/shape_carve.h"
#include "model/seeded_random.h"
#include "shape/make_topology.h"
#include "solver/difficulty.h"
#include "solver/maze_stats.h"
#include "solver/view_measures.h"
#include "solver/view_route.h"

namespace nitka {
namespace {

// The score as it was computed before it shared the measures' searches: a
// shortest route searched for on its own and judged cell by cell.
template <typename Maze>
std::optional<double> separateScore(Maze& maze) {
    const std::uint64_t reachable = measureMaze(maze).reachable;
    const measure::Ends ends = measure::endsOf(maze);
    return withMazeView(maze, [&](const auto& view) -> std::optional<double> {
        const auto route = shortestRoute(view, ends.start, ends.target);
        if (!route) {
            return std::nullopt;
        }
        return difficultyScore(difficultyParts(view, *route, reachable));
    });
}

// Walls of a carved maze turned to the two kinds a hand-edited file may hold
// instead of an opening: Other, which the searches pass, and Wall.
void editFlags(WallGrid& grid, SeededRandom& random) {
    for (std::size_t at = 0; at < grid.cellCount(); ++at) {
        const int draw = random.Random(8);
        if (draw == 0) {
            grid.setLeft(at, Flag::Other);
        } else if (draw == 1) {
            grid.setTop(at, Flag::Wall);
        }
    }
}

struct Carving {
    CarveMethod method;
    double braid;
};

const Carving kCarvings[] = {
    {CarveMethod::DepthFirst, 0}, {CarveMethod::DepthFirst, 0.3}, {CarveMethod::Prim, 0},
    {CarveMethod::Prim, 1},       {CarveMethod::Wilson, 0.5},     {CarveMethod::Kruskal, 0.1},
};
const int kSides[] = {1, 2, 7, 24};

// A dataset's one-search score of a perfect maze is every measure's.
template <typename Maze>
void expectPerfectScoreAsMeasured(Maze& maze, const MeasuredMaze& measured) {
    if (!measured.stats.perfect) {
        return;
    }
    const RouteScore score = perfectMazeScore(maze);
    EXPECT_EQ(score.routeCells, measured.stats.shortestCells);
    EXPECT_EQ(score.difficulty, measured.difficulty);
}

// Figures and score from the shared searches equal the separate computation,
// with loops (the shortest route searched for) and without (the window's
// route reused), on every shape, and with no route at all.
TEST(MeasuredMaze, ScoresAsTheSeparateSearchOnRectangles) {
    std::uint64_t seed = 0;
    for (const Carving& carving : kCarvings) {
        for (const int side : kSides) {
            for (const bool edited : {false, true}) {
                SCOPED_TRACE(std::string(carveMethodInfo(carving.method).name) + " braid " +
                             std::to_string(carving.braid) + " side " + std::to_string(side) +
                             (edited ? " edited" : ""));
                WallGrid grid(side, side + 3);
                SeededRandom random(++seed);
                carveMaze(grid, {carving.method, GrowingTreePick::Mix, 0.5, carving.braid}, random);
                if (edited) {
                    editFlags(grid, random);
                }
                const MeasuredMaze measured = measureWithDifficulty(grid);
                EXPECT_EQ(measured.stats, measureMaze(grid));
                EXPECT_EQ(measured.difficulty, separateScore(grid));
                expectPerfectScoreAsMeasured(grid, measured);
            }
        }
    }
}

TEST(MeasuredMaze, ScoresAsTheSeparateSearchOnEveryShape) {
    std::uint64_t seed = 100;
    for (const ShapeKind shape :
         {ShapeKind::Rect, ShapeKind::Hex, ShapeKind::Triangle, ShapeKind::Polar}) {
        for (const Carving& carving : kCarvings) {
            for (const int side : kSides) {
                SCOPED_TRACE(std::string(shapeName(shape)) + " " +
                             std::string(carveMethodInfo(carving.method).name) + " braid " +
                             std::to_string(carving.braid) + " side " + std::to_string(side));
                const int height = shape == ShapeKind::Polar ? std::max(1, side / 2) : side + 1;
                ShapeMaze maze(makeTopology(shape, side, height));
                SeededRandom random(++seed);
                carveShapeMaze(maze, {carving.method, GrowingTreePick::Mix, 0.5, carving.braid},
                               random);
                const MeasuredMaze measured = measureWithDifficulty(maze);
                EXPECT_EQ(measured.stats, measureMaze(maze));
                EXPECT_EQ(measured.difficulty, separateScore(maze));
                expectPerfectScoreAsMeasured(maze, measured);
            }
        }
    }
}

TEST(MeasuredMaze, NoScoreWithoutARoute) {
    WallGrid grid(4, 3);
    EXPECT_EQ(measureWithDifficulty(grid).difficulty, std::nullopt);
    ShapeMaze maze(makeTopology(ShapeKind::Triangle, 4, 3));
    EXPECT_EQ(measureWithDifficulty(maze).difficulty, std::nullopt);
}

}  // namespace
}  // namespace nitka
