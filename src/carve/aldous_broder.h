#pragma once

#include "carve/carve_observer.h"
#include "grid/wall_grid.h"
#include "model/seeded_random.h"
#include "shape/shape_maze.h"

namespace nitka {

// The Aldous-Broder method: one random walk that opens the side into every
// cell it enters for the first time, which makes every perfect maze equally
// likely. Each island of a mask that falls apart gets a walk of its own. No
// memory beyond the maze. Requires: every side closed, scratch clear; leaves
// the scratch clear.
void carveAldousBroder(WallGrid& grid, SeededRandom& random);
void carveAldousBroder(ShapeMaze& maze, SeededRandom& random);
// The same maze from the same draws, told to observer step by step.
void carveAldousBroder(WallGrid& grid, SeededRandom& random, CarveObserver& observer);
void carveAldousBroder(ShapeMaze& maze, SeededRandom& random, CarveObserver& observer);

}  // namespace nitka
