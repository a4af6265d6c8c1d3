#pragma once

#include "grid/wall_grid.h"
#include "model/seeded_random.h"

namespace nitka {

// Loop-erased random walks from each cell outside the tree until they meet it.
// Every perfect maze is equally likely, far faster than by one walk.
// Requires: grid is fresh from WallGrid(w, h). Leaves its scratch bits clear.
void carveWilson(WallGrid& grid, SeededRandom& random);

}  // namespace nitka
