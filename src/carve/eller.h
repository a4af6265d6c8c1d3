#pragma once

#include "carve/carve_observer.h"
#include "grid/wall_grid.h"
#include "model/seeded_random.h"

namespace nitka {

// Row by row, knowing only the current row's sets: joins neighbours of
// different sets at random, carries every set at least once into the next row,
// and joins all sets along the last row. Keeps five numbers a column.
// Requires: grid is fresh from WallGrid(w, h). Leaves its scratch bits clear.
void carveEller(WallGrid& grid, SeededRandom& random);
// The same maze from the same draws, told to observer step by step.
void carveEller(WallGrid& grid, SeededRandom& random, CarveObserver& observer);

}  // namespace nitka
