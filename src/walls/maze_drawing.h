#pragma once

#include "model/maze_state.h"
#include "picture/picture_surface.h"

namespace nitka {

// Draws every set flag (any non-zero value) of walls as its own black segment,
// column by column, then the bottom and right frame lines, which start at the
// picture's edges. Reads MazeWidth, MazeHeight, CellSize and Margin from maze.
// Requires: walls has at least MazeWidth columns of at least MazeHeight entries.
void ShowMaze(const MazeState& maze, PictureSurface& picture, const Maze& walls);

}  // namespace nitka
