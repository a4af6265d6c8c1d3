#pragma once

#include "carve/carve_observer.h"
#include "grid/wall_grid.h"
#include "model/seeded_random.h"

namespace nitka {

// Loop-erased random walks from each cell outside the tree until they meet it.
// Every perfect maze is equally likely, far faster than by one walk.
// Requires: grid is fresh from WallGrid(w, h). Leaves its scratch bits clear.
void carveWilson(WallGrid& grid, SeededRandom& random);
// The same maze from the same draws, told to observer step by step.
void carveWilson(WallGrid& grid, SeededRandom& random, CarveObserver& observer);

}  // namespace nitka
