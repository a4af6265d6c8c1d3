#pragma once

#include <streambuf>

#include "grid/wall_grid.h"
#include "shape/shape_maze.h"

namespace nitka {

// Writes maze as one JSON object for other programs:
//   {"shape": NAME, "width": W, "height": H,
//    "cells": [[x, y], ...], "neighbours": [[i, j], ...],
//    "passages": [[i, j], ...], "start": i, "target": j}
// `cells` are the topology's cells in number order as position() gives them,
// a mask's holes left out; the pairs are indices into `cells`, i < j, sorted:
// every two cells that share a side, and those whose side is open. start and
// target are the topology's, null if either is no cell. Written as it is
// made: holds a 64 kB buffer and, for a masked maze, 2 bits a layout
// place to number the cells. Throws RenderError for a failed write.
void writeGraphJson(const ShapeMaze& maze, std::streambuf& out);

// The same for the window's rectangle, byte for byte what the maze of a
// RectTopology with the same open sides gives. A side between two cells is
// open unless its flag is exactly a wall (Flag::Wall), as for the window's
// route search.
void writeGraphJson(const WallGrid& grid, std::streambuf& out);

}  // namespace nitka
