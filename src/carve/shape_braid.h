#pragma once

#include <cstdint>

#include "model/seeded_random.h"
#include "shape/shape_maze.h"

namespace nitka {

// braid's rule on any topology: removes that share of the dead ends (cells
// with exactly one open side), rounded to the nearest count, by opening one
// more side in each: to a neighbouring dead end where there is one (removing
// both, so the count may come out one higher), else any closed side. The dead
// ends are picked at random, each equally likely; share 0 draws nothing. On a
// rectangle without holes it opens what braid opens from the same seed. No
// memory beyond the maze; leaves the scratch alone. Requires: 0 <= share <= 1.
void braidShapeMaze(ShapeMaze& maze, double share, SeededRandom& random);

// The cells with exactly one open side.
std::uint64_t countShapeDeadEnds(const ShapeMaze& maze);

}  // namespace nitka
