#pragma once

#include "carve/carve_observer.h"
#include "grid/wall_grid.h"
#include "model/seeded_random.h"

namespace nitka {

// Opens every inner wall, then halves areas with a wall line that keeps one
// gap, until each is one cell wide or high: long straight walls.
// Requires: grid is fresh from WallGrid(w, h). Leaves its scratch bits clear.
void carveRecursiveDivision(WallGrid& grid, SeededRandom& random);
// The same maze from the same draws, told to observer step by step; the inner
// sides it opens first are not told.
void carveRecursiveDivision(WallGrid& grid, SeededRandom& random, CarveObserver& observer);

}  // namespace nitka
