#pragma once

#include "carve/carve_observer.h"
#include "grid/wall_grid.h"
#include "model/seeded_random.h"

namespace nitka {

// A random walk that opens the wall into every cell it enters for the first
// time. Every perfect maze is equally likely; the time grows with the walk's
// cover time (carveRefusal says where it is too long).
// Requires: grid is fresh from WallGrid(w, h). Leaves its scratch bits clear.
void carveAldousBroder(WallGrid& grid, SeededRandom& random);
// The same maze from the same draws, told to observer step by step.
void carveAldousBroder(WallGrid& grid, SeededRandom& random, CarveObserver& observer);

}  // namespace nitka
