#pragma once

#include "carve/carve_observer.h"
#include "grid/wall_grid.h"
#include "model/seeded_random.h"

namespace nitka {

// Opens the inner walls in a random order, each one only where it joins two
// parts not yet joined. Keeps the shuffled list of inner walls and a
// union-find of the cells: three entries (4 or 8 bytes each) a cell.
// Requires: grid is fresh from WallGrid(w, h). Leaves its scratch bits clear.
void carveKruskal(WallGrid& grid, SeededRandom& random);
// The same maze from the same draws, told to observer step by step.
void carveKruskal(WallGrid& grid, SeededRandom& random, CarveObserver& observer);

}  // namespace nitka
