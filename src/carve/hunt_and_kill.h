#pragma once

#include "carve/carve_observer.h"
#include "grid/wall_grid.h"
#include "model/seeded_random.h"
#include "shape/shape_maze.h"

namespace nitka {

// Hunt-and-kill: walks at random into unvisited cells from the first cell,
// and at each dead end hunts in reading order for the first unvisited cell
// beside a visited one, joins it there and walks on. When the cells of a mask
// fall apart, each island gets a walk of its own. No memory beyond the maze.
// Requires: every side closed, scratch clear; leaves the scratch clear.
void carveHuntAndKill(WallGrid& grid, SeededRandom& random);
void carveHuntAndKill(ShapeMaze& maze, SeededRandom& random);
// The same maze from the same draws, told to observer step by step.
void carveHuntAndKill(WallGrid& grid, SeededRandom& random, CarveObserver& observer);
void carveHuntAndKill(ShapeMaze& maze, SeededRandom& random, CarveObserver& observer);

}  // namespace nitka
