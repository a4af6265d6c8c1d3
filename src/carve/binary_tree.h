#pragma once

#include "carve/carve_observer.h"
#include "grid/wall_grid.h"
#include "model/seeded_random.h"

namespace nitka {

// Opens, in every cell but the first, the wall above or the one to its left, at
// random where both lie inside: passages lean to the top left, and the top row
// and left column are straight corridors.
// Requires: grid is fresh from WallGrid(w, h). Leaves its scratch bits clear.
void carveBinaryTree(WallGrid& grid, SeededRandom& random);
// The same maze from the same draws, told to observer step by step.
void carveBinaryTree(WallGrid& grid, SeededRandom& random, CarveObserver& observer);

}  // namespace nitka
