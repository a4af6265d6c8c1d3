#pragma once

#include "shape/shape_maze.h"
#include "solver/maze_stats.h"

namespace nitka {

// measureMaze's figures for a maze of any shape: width and height as the
// topology gives them, cells its cell count, reachable cells counted from the
// topology's start cell, and the routes from its start to its target cell.
// Linear time, as long as findShortestShapeRoute's levels fit its queue;
// besides the searches' routes and queue it uses only the scratch bits, clear
// again on return.
MazeStats measureShapeMaze(ShapeMaze& maze);

}  // namespace nitka
