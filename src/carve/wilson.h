#pragma once

#include "carve/carve_observer.h"
#include "grid/wall_grid.h"
#include "model/seeded_random.h"
#include "shape/shape_maze.h"

namespace nitka {

// Wilson's method: loop-erased random walks from each cell in turn into the
// growing tree, which makes every perfect maze equally likely, far faster
// than by one walk. Each island of a mask that falls apart gets a tree of its
// own. No memory beyond the maze. Requires: every side closed, scratch clear;
// leaves the scratch clear.
void carveWilson(WallGrid& grid, SeededRandom& random);
void carveWilson(ShapeMaze& maze, SeededRandom& random);
// The same maze from the same draws, told to observer step by step.
void carveWilson(WallGrid& grid, SeededRandom& random, CarveObserver& observer);
void carveWilson(ShapeMaze& maze, SeededRandom& random, CarveObserver& observer);

}  // namespace nitka
