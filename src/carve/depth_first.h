#pragma once

#include "carve/carve_observer.h"
#include "grid/wall_grid.h"
#include "model/seeded_random.h"
#include "shape/shape_maze.h"

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

// The same search on any layout (carveDepthFirstOn): on a plain rectangle the
// grid's maze from the same seed; each island of a mask that falls apart gets
// a tree of its own. Requires: every side closed, scratch clear; leaves the
// scratch clear.
void carveDepthFirst(ShapeMaze& maze, SeededRandom& random);
void carveDepthFirst(ShapeMaze& maze, SeededRandom& random, CarveObserver& observer);

}  // namespace nitka
