#pragma once

#include "carve/carve_observer.h"
#include "grid/wall_grid.h"
#include "shape/shape_maze.h"

namespace nitka {

// Tells observer how the window's route search explores the maze: depth
// first from the start, trying the neighbours in the search's own order, each
// cell it enters Tried and current, each whose every way failed GivenUp as
// it backs out; it stops on reaching the target, or having given up
// everything. The steps of findGridRoute and findShapeRoute, which find the
// route the search ends with. Memory: a byte a cell and the way it is trying.

// From the top-left cell to the bottom-right one, as `render --route` goes.
void exploreGridRoute(const WallGrid& grid, CarveObserver& observer);

// From the topology's start to its target.
void exploreShapeRoute(const ShapeMaze& maze, CarveObserver& observer);

}  // namespace nitka
