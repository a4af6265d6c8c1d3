#pragma once

#include <ostream>

#include "model/maze_state.h"

namespace nitka {

// Writes the maze file: the header "width  height", then for each cell, row by
// row from the top, "top  left" of walls[x][y] in decimal; every line ends
// with CR LF.
// Requires: walls has at least width columns of at least height elements.
void writeMaze(std::ostream& out, const Maze& walls, int width, int height);

}  // namespace nitka
