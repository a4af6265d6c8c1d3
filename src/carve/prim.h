#pragma once

#include "carve/carve_observer.h"
#include "grid/wall_grid.h"
#include "model/seeded_random.h"

namespace nitka {

// Grows the maze from a random cell by joining, each time, a random cell of its
// frontier (cells next to the maze, not in it) to a random neighbour inside.
// Keeps the frontier as a list: at most one entry (4 or 8 bytes) a cell.
// Requires: grid is fresh from WallGrid(w, h). Leaves its scratch bits clear.
void carvePrim(WallGrid& grid, SeededRandom& random);
// The same maze from the same draws, told to observer step by step.
void carvePrim(WallGrid& grid, SeededRandom& random, CarveObserver& observer);

}  // namespace nitka
