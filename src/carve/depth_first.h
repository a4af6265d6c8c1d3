#pragma once

#include "carve/carve_observer.h"
#include "grid/wall_grid.h"
#include "model/seeded_random.h"

namespace nitka {

// Carves a perfect maze into grid by randomised depth-first search, drawing
// from source exactly as the window's "Depth-First" press does: the same seed
// gives the window's maze, flag for flag, at every size the window carves, and
// the same maze in every later version at any size. Costs no memory beyond the
// grid itself.
// Requires: every flag of grid a wall and its scratch clear (a new WallGrid);
// leaves the scratch clear.
void carveDepthFirst(WallGrid& grid, SeededRandom& source);
// The same maze from the same draws, told to observer step by step.
void carveDepthFirst(WallGrid& grid, SeededRandom& source, CarveObserver& observer);

}  // namespace nitka
