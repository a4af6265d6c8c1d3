#pragma once

#include "shape/shape_maze.h"
#include "solver/maze_stats.h"
#include "solver/shape_route.h"

namespace nitka {

// measureMaze's figures for a maze of any shape: width and height as the
// topology gives them, cells its cell count, reachable cells counted from the
// topology's start cell, and the routes from its start to its target cell.
// Linear time, as long as findShortestShapeRoute's levels fit its queue;
// besides the searches' routes and queue it uses only the scratch bits, clear
// again on return.
MazeStats measureShapeMaze(ShapeMaze& maze);

// measureShapeMaze's figures and the shortest route they count, kept for
// measures that walk it: from the topology's start to its target, the one
// findShortestShapeRoute finds (without a loop the only route); nullopt
// without.
struct ShapeMeasures {
    MazeStats stats;
    std::optional<ShapeRoute> shortest;
};

// measureShapeMaze, keeping the route: the same searches, the route's memory
// besides.
ShapeMeasures measureShapeMazeWithRoute(ShapeMaze& maze);

}  // namespace nitka
