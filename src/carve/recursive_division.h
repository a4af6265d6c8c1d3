#pragma once

#include "grid/wall_grid.h"
#include "model/seeded_random.h"

namespace nitka {

// Opens every inner wall, then halves areas with a wall line that keeps one
// gap, until each is one cell wide or high: long straight walls.
// Requires: grid is fresh from WallGrid(w, h). Leaves its scratch bits clear.
void carveRecursiveDivision(WallGrid& grid, SeededRandom& random);

}  // namespace nitka
