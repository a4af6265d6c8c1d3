#pragma once

#include "model/maze_state.h"
#include "picture/picture_surface.h"

namespace nitka {

// Writes lines 0 .. 2 * MazeHeight of MazeText from CellGrid: even lines carry
// the horizontal walls as " -", odd lines the vertical walls as " |", an opening
// as two spaces. Then clears the picture to the background colour, leaving a
// blue line along its top and left edges.
// Requires: 1 <= MazeWidth, MazeHeight <= 100.
void ploh25_(MazeState& maze, PictureSurface& picture);

}  // namespace nitka
