#pragma once

#include "grid/wall_grid.h"
#include "shape/layout.h"
#include "shape/shape_maze.h"

namespace nitka {

// Sets each side of the maze open where the grid's flag is Flag::Open and
// closed otherwise (a flag of class Other included); leaves the scratch alone.
// Requires: isPlainRectangle(maze.topology()), of the grid's size.
void copyGridToShape(const WallGrid& grid, ShapeMaze& maze);

// The maze's sides as a grid's flags, open or wall, the scratch clear.
// Requires: isPlainRectangle(maze.topology()).
WallGrid gridFromShape(const ShapeMaze& maze);

}  // namespace nitka
