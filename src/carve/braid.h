#pragma once

#include <cstdint>

#include "grid/wall_grid.h"
#include "model/seeded_random.h"
#include "shape/shape_maze.h"

namespace nitka {

// Removes that share of the maze's dead ends (cells with exactly one way out),
// rounded to the nearest count, by opening one more side in each, which makes
// loops: a side to a neighbouring dead end where there is one (removing both
// at once, so the count may come out one higher), else any closed side. The
// dead ends are picked at random, each equally likely. Share 0 changes
// nothing and draws nothing; share 1 leaves no dead end, except where a dead
// end has no closed side left to open (the two ends of a maze one cell wide).
// Needs no memory beyond the maze and leaves its scratch alone.
// Requires: 0 <= share <= 1.
void braid(WallGrid& grid, double share, SeededRandom& random);
void braid(ShapeMaze& maze, double share, SeededRandom& random);
// The cells with exactly one way out. On a grid they are counted as the
// window's route search moves: any flag but a wall lets it through.
std::uint64_t countDeadEnds(const WallGrid& grid);
std::uint64_t countDeadEnds(const ShapeMaze& maze);

}  // namespace nitka
