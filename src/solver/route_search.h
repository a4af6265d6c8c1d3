#pragma once

#include <vector>

#include "model/maze_state.h"

namespace nitka {

// Written right behind the last cell of the route in PathPoints.
inline constexpr Position kEndMarker{-1, -1};

// True when the edge between cell (x, y) and its neighbour (x + dx, y + dy)
// carries no wall. Only a flag of exactly 1 blocks: an edited file can hold
// other values, which the drawing shows as walls but the search walks through.
// Requires: (dx, dy) is one of the four unit steps and the flag lies in walls.
bool EdgeOpen(const Maze& walls, int x, int y, int dx, int dy);

// Depth-first search of walls, a width x height maze, for a route from start to
// target, trying the steps right, above, left, below at every cell: the route
// found is the first one completed in that order. Steps out of the maze are not
// taken, so an open outer edge leads nowhere. Returns PathPoints: the route's
// cells from start to target followed by kEndMarker; empty when there is no
// route, also when the start or the target lies outside the maze.
// Takes time linear in the cell count, loops or not, and no call-stack depth.
// Requires: walls has at least (width + 1) x (height + 1) elements.
std::vector<Position> findRoute(const Maze& walls, int width, int height, Position start,
                                Position target);

}  // namespace nitka
