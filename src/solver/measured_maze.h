#pragma once

#include <optional>

#include "grid/wall_grid.h"
#include "shape/shape_maze.h"
#include "solver/maze_stats.h"

namespace nitka {

// What `nitka-maze info` tells: the measures and the difficulty score
// (docs/difficulty.md), none without a route from the start to the target.
struct MeasuredMaze {
    MazeStats stats;
    std::optional<double> difficulty;
};

// measureMaze's figures and the difficulty from the same searches: the score
// walks the shortest route they found rather than searching again. Time and
// memory as measureMaze.
MeasuredMaze measureWithDifficulty(WallGrid& grid);

// The same for a maze of any shape, as measureMaze.
MeasuredMaze measureWithDifficulty(ShapeMaze& maze);

// What a dataset keeps of each maze: the cells of its route from the start to
// the target, both included (0 without one), and its score.
struct RouteScore {
    std::uint64_t routeCells = 0;
    std::optional<double> difficulty;
};

// measureWithDifficulty's shortest route cells and score for a perfect maze
// (every cell reachable, one route between any two), from one route search
// and one walk along it instead of every measure. Requires: a perfect maze.
RouteScore perfectMazeScore(WallGrid& grid);
RouteScore perfectMazeScore(ShapeMaze& maze);

}  // namespace nitka
