#pragma once

#include "grid/grid_route.h"
#include "grid/wall_grid.h"

namespace nitka {

// Leaves scratch 1 in every cell of route and 0 in every other cell, the form
// in which the picture writers, going row by row, see the route.
// Requires: every cell of route lies in grid.
void markRoute(WallGrid& grid, const GridRoute& route);

}  // namespace nitka
