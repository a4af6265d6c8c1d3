#pragma once

#include "grid/wall_grid.h"
#include "model/seeded_random.h"

namespace nitka {

// Grows the maze from a random cell by joining, each time, a random cell of its
// frontier (cells next to the maze, not in it) to a random neighbour inside.
// Keeps the frontier as a list: at most one entry (4 or 8 bytes) a cell.
// Requires: grid is fresh from WallGrid(w, h). Leaves its scratch bits clear.
void carvePrim(WallGrid& grid, SeededRandom& random);

}  // namespace nitka
