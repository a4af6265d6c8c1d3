#pragma once

#include <cstdint>
#include <optional>

#include "grid/grid_route.h"
#include "grid/wall_grid.h"
#include "shape/shape_maze.h"
#include "solver/shape_route.h"

namespace nitka {

// What the difficulty score is made of (docs/difficulty.md).
struct DifficultyParts {
    // Cells of a shortest route from the start to the target, both included.
    std::uint64_t routeCells = 0;
    // Cells reachable from the start.
    std::uint64_t reachable = 0;
    // Cells of that route, the target excepted, with a way out that leaves
    // the route: the places where a solver must choose.
    std::uint64_t decisions = 0;
};

// Cells an explorer who picks among unexplored ways at random, and never
// goes back into a part it has explored, visits before it reaches the target,
// in expectation: exact in a perfect maze, where each way off the route is
// taken before the onward way half the time and then explored whole.
double expectedExploredCells(const DifficultyParts& parts);

// expectedExploredCells / 10 + decisions, rounded to a tenth.
double difficultyScore(const DifficultyParts& parts);

// The parts of maze, the route running from its topology's start to its
// target, reachable as counted elsewhere (measureShapeMaze); nullopt when no
// route joins them. Linear time, as findShortestShapeRoute; the scratch bits
// clear again on return.
std::optional<DifficultyParts> shapeDifficultyParts(ShapeMaze& maze, std::uint64_t reachable);

// The same for a rectangle in the window's format, from its top-left to its
// bottom-right cell (see measureMaze).
std::optional<DifficultyParts> gridDifficultyParts(WallGrid& grid, std::uint64_t reachable);

// The parts along shortest, a shortest route from the start to the target
// found on this maze by the searches (measureMazeWithRoute and
// measureShapeMazeWithRoute keep one), reachable as counted elsewhere. The
// same parts as the two above, without their search: linear in the route.
DifficultyParts gridDifficultyParts(const WallGrid& grid, const GridRoute& shortest,
                                    std::uint64_t reachable);
DifficultyParts shapeDifficultyParts(const ShapeMaze& maze, const ShapeRoute& shortest,
                                     std::uint64_t reachable);

// The score of a maze of any shape, measuring what it needs; nullopt without
// a route. Linear time.
std::optional<double> shapeDifficulty(ShapeMaze& maze);

}  // namespace nitka
