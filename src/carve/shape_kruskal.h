#pragma once

#include "carve/carve_observer.h"
#include "model/seeded_random.h"
#include "shape/shape_maze.h"

namespace nitka {

// Kruskal's method on any topology: opens the inner sides in a random order
// wherever they join two cells not yet joined. On a rectangle without holes it
// makes carveKruskal's maze from the same seed. Keeps a list of the inner
// sides and a union-find, 4 or 8 bytes each a side and a cell.
// Requires: every side closed, scratch clear; leaves the scratch clear.
void carveShapeKruskal(ShapeMaze& maze, SeededRandom& random);
// The same maze from the same draws, told to observer step by step.
void carveShapeKruskal(ShapeMaze& maze, SeededRandom& random, CarveObserver& observer);

}  // namespace nitka
