#pragma once

#include "carve/carve_observer.h"
#include "grid/wall_grid.h"
#include "shape/shape_maze.h"

namespace nitka {

// Where the window's route runs: a grid's from the top-left cell to the
// bottom-right one, as `render --route` goes; a shape's from its topology's
// start to its target.
struct RouteEnds {
    CellId from = kNoCell;
    CellId to = kNoCell;
};
RouteEnds routeEnds(const WallGrid& grid);
RouteEnds routeEnds(const ShapeMaze& maze);

// Tells observer how the window's route search explores the maze between its
// route ends: depth first from the start, trying the neighbours in the
// layout's order, each cell it enters Tried and current, each whose every way
// failed GivenUp as it backs out; it stops on reaching the target, or having
// given up everything. The steps of the search markWindowRoute runs, which
// finds the route the exploration ends with. Memory: a byte a cell and the way
// it is trying. Maze: WallGrid or ShapeMaze.
template <typename Maze>
void exploreRoute(const Maze& maze, CarveObserver& observer);

// Leaves scratch 1 on every cell of the window's route between the maze's
// route ends (findGridRoute's or findShapeRoute's) and 0 on every other cell;
// false, all 0, when there is none.
bool markWindowRoute(WallGrid& grid);
bool markWindowRoute(ShapeMaze& maze);

}  // namespace nitka
