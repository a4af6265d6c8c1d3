#pragma once

#include "carve/carve_observer.h"
#include "grid/wall_grid.h"
#include "model/seeded_random.h"

namespace nitka {

// Row by row: the top row is one corridor; every row below is cut into runs of
// random length, each joined upwards through one random cell of the run.
// Requires: grid is fresh from WallGrid(w, h). Leaves its scratch bits clear.
void carveSidewinder(WallGrid& grid, SeededRandom& random);
// The same maze from the same draws, told to observer step by step.
void carveSidewinder(WallGrid& grid, SeededRandom& random, CarveObserver& observer);

}  // namespace nitka
