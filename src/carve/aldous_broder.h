#pragma once

#include "grid/wall_grid.h"
#include "model/seeded_random.h"

namespace nitka {

// A random walk that opens the wall into every cell it enters for the first time; uniform over all
// spanning trees, in time that grows with the walk's cover time. Requires: grid is fresh from
// WallGrid(w, h). Leaves its scratch bits clear.
void carveAldousBroder(WallGrid& grid, SeededRandom& random);

}  // namespace nitka
