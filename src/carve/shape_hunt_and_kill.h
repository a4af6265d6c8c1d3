#pragma once

#include "carve/carve_observer.h"
#include "model/seeded_random.h"
#include "shape/shape_maze.h"

namespace nitka {

// Hunt-and-kill on any topology: walks at random into unvisited cells from the
// first cell, and at each dead end hunts in reading order for the first
// unvisited cell beside a visited one, joins it there and walks on. On a
// rectangle without holes it makes carveHuntAndKill's maze from the same seed.
// No memory beyond the maze. Requires: every side closed, scratch clear;
// leaves the scratch clear.
void carveShapeHuntAndKill(ShapeMaze& maze, SeededRandom& random);
// The same maze from the same draws, told to observer step by step.
void carveShapeHuntAndKill(ShapeMaze& maze, SeededRandom& random, CarveObserver& observer);

}  // namespace nitka
