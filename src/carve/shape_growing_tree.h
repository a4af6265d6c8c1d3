#pragma once

#include "carve/carve_observer.h"
#include "carve/growing_tree.h"
#include "model/seeded_random.h"
#include "shape/shape_maze.h"

namespace nitka {

// The growing tree on any topology: takes a growing cell by the pick, opens a
// side from it into a random unvisited neighbour, which grows in turn, or
// retires it when it has none. On a rectangle without holes it makes
// carveGrowingTree's maze from the same seed and pick. Keeps the growing cells
// in a list, at most one entry (4 or 8 bytes) a cell.
// Requires: every side closed, scratch clear; 0 <= newestShare <= 1. Leaves
// the scratch clear.
void carveShapeGrowingTree(ShapeMaze& maze, GrowingTreePick pick, double newestShare,
                           SeededRandom& random);
// The same maze from the same draws, told to observer step by step.
void carveShapeGrowingTree(ShapeMaze& maze, GrowingTreePick pick, double newestShare,
                           SeededRandom& random, CarveObserver& observer);

}  // namespace nitka
