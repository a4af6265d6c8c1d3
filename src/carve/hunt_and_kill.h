#pragma once

#include "carve/carve_observer.h"
#include "grid/wall_grid.h"
#include "model/seeded_random.h"

namespace nitka {

// Walks at random into unvisited cells from the top left cell; when the walk is
// stuck, the first unvisited cell in row order is joined to a visited neighbour
// and walks on.
// Requires: grid is fresh from WallGrid(w, h). Leaves its scratch bits clear.
void carveHuntAndKill(WallGrid& grid, SeededRandom& random);
// The same maze from the same draws, told to observer step by step.
void carveHuntAndKill(WallGrid& grid, SeededRandom& random, CarveObserver& observer);

}  // namespace nitka
