#pragma once

#include <cstdint>

#include "grid/wall_grid.h"
#include "model/seeded_random.h"

namespace nitka {

// Removes that share of the maze's dead ends (cells with exactly one way out),
// rounded to the nearest count, by opening one more wall in each, which makes
// loops: a wall to a neighbouring dead end where there is one (removing both at
// once, so the count may come out one higher), else any closed inner wall.
// The dead ends are picked at random, each equally likely. Share 0 changes
// nothing and draws nothing; share 1 leaves no dead end, except in a maze one
// cell wide or high, whose two ends have no inner wall left to open and stay.
// Needs no memory beyond the grid and leaves its scratch bits alone.
// Requires: 0 <= share <= 1.
void braid(WallGrid& grid, double share, SeededRandom& random);

// The cells with exactly one way out, counted as the window's route search
// moves: any flag but a wall lets it through.
std::uint64_t countDeadEnds(const WallGrid& grid);

}  // namespace nitka
