#pragma once

#include <string>

#include "carve/carve_method.h"
#include "model/seeded_random.h"
#include "shape/shape_maze.h"

namespace nitka {

// Whether the method carves on every topology, masks included. The row by
// row and dividing methods lean on straight rows and columns and keep to a
// plain rectangle of squares.
bool carvesEveryShape(CarveMethod method);

// Empty when the method carves a maze on the topology in bounded time and
// memory, else one line that says why not, for the user: a method that keeps
// to a plain rectangle on any other layout, a random walk on a maze whose
// expected number of steps is out of reach.
std::string shapeCarveRefusal(CarveMethod method, const Topology& topology);

// Carves a perfect maze into the maze by the options' method, then opens the
// share of dead ends options.braid asks for. The same seed gives the same
// maze. On a plain rectangle every method makes carveMaze's maze from the same
// seed. When the cells of a mask fall apart, each island gets a perfect maze
// of its own. Requires: shapeCarveRefusal(options.method, maze.topology()) is
// empty, every side closed and the scratch clear; the shares lie in 0 .. 1.
// Leaves the scratch clear.
void carveShapeMaze(ShapeMaze& maze, const CarveOptions& options, SeededRandom& random);

}  // namespace nitka
