#pragma once

#include "carve/carve_observer.h"
#include "grid/wall_grid.h"
#include "model/seeded_random.h"
#include "shape/shape_maze.h"

namespace nitka {

// Kruskal's method: opens the inner sides in a random order, each one only
// where it joins two cells not yet joined. Keeps the shuffled list of inner
// sides and a union-find of the cells, 4 or 8 bytes each a side and a cell.
// When the cells of a mask fall apart, each island gets a tree of its own.
// Requires: every side closed, scratch clear; leaves the scratch clear.
void carveKruskal(WallGrid& grid, SeededRandom& random);
void carveKruskal(ShapeMaze& maze, SeededRandom& random);
// The same maze from the same draws, told to observer step by step.
void carveKruskal(WallGrid& grid, SeededRandom& random, CarveObserver& observer);
void carveKruskal(ShapeMaze& maze, SeededRandom& random, CarveObserver& observer);

}  // namespace nitka
