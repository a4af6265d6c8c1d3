#pragma once

#include "carve/carve_observer.h"
#include "model/seeded_random.h"
#include "shape/shape_maze.h"

namespace nitka {

// Carves a perfect maze by randomised depth-first search on any topology: at
// each cell it draws a weight of 1 .. 5 for every unvisited neighbour and
// steps to the first of the highest. On squares it draws its start and its
// weights in the window's order (up, right, down, left), so that on a
// rectangle without holes it makes carveDepthFirst's maze from the same seed.
// The cells of each island of a mask that falls apart get a tree of their own.
// No memory beyond the maze. Requires: every side closed, scratch clear;
// leaves the scratch clear.
void carveShapeDepthFirst(ShapeMaze& maze, SeededRandom& random);
// The same maze from the same draws, told to observer step by step.
void carveShapeDepthFirst(ShapeMaze& maze, SeededRandom& random, CarveObserver& observer);

}  // namespace nitka
