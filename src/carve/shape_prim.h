#pragma once

#include "carve/carve_observer.h"
#include "model/seeded_random.h"
#include "shape/shape_maze.h"

namespace nitka {

// Prim's method on any topology: grows the maze from a random cell by joining
// a random cell of its frontier to a random neighbour already in the maze. On
// a rectangle without holes it makes carvePrim's maze from the same seed. The
// frontier holds one entry (4 or 8 bytes) a cell at most.
// Requires: every side closed, scratch clear; leaves the scratch clear.
void carveShapePrim(ShapeMaze& maze, SeededRandom& random);
// The same maze from the same draws, told to observer step by step.
void carveShapePrim(ShapeMaze& maze, SeededRandom& random, CarveObserver& observer);

}  // namespace nitka
