#pragma once

#include "carve/carve_observer.h"
#include "grid/wall_grid.h"
#include "model/seeded_random.h"
#include "shape/shape_maze.h"

namespace nitka {

// Prim's method: grows the maze from a random cell by joining, each time, a
// random cell of its frontier (cells next to the maze, not in it) to a random
// neighbour inside. Keeps the frontier as a list: at most one entry (4 or 8
// bytes) a cell. When the cells of a mask fall apart, each island grows a
// tree of its own. Requires: every side closed, scratch clear; leaves the
// scratch clear.
void carvePrim(WallGrid& grid, SeededRandom& random);
void carvePrim(ShapeMaze& maze, SeededRandom& random);
// The same maze from the same draws, told to observer step by step.
void carvePrim(WallGrid& grid, SeededRandom& random, CarveObserver& observer);
void carvePrim(ShapeMaze& maze, SeededRandom& random, CarveObserver& observer);

}  // namespace nitka
