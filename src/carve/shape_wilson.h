#pragma once

#include "model/seeded_random.h"
#include "shape/shape_maze.h"

namespace nitka {

// Wilson's method on any topology: loop-erased random walks from each cell in
// turn into the growing tree, which makes every perfect maze equally likely.
// Each island of a mask that falls apart gets a tree of its own. No memory
// beyond the maze. Requires: every side closed, scratch clear; leaves the
// scratch clear.
void carveShapeWilson(ShapeMaze& maze, SeededRandom& random);

}  // namespace nitka
