#pragma once

#include <optional>
#include <string>

#include "grid/grid_route.h"
#include "grid/wall_grid.h"
#include "plan/requests.h"
#include "shape/shape_maze.h"
#include "solver/shape_route.h"

namespace nitka {

// The window's route, or a shortest one, between the ends in grid. Throws
// ToolError when an end lies outside the maze (naming its option) or when
// there is no route (naming mazeName).
GridRoute chooseRoute(WallGrid& grid, const RouteEnds& ends, bool shortest,
                      const std::string& mazeName);

// The same on a maze of any shape, the ends in its own positions (x along the
// row or ring, y the row or ring) or else its start and target cells.
ShapeRoute chooseRoute(ShapeMaze& maze, const RouteEnds& ends, bool shortest,
                       const std::string& mazeName);

}  // namespace nitka
