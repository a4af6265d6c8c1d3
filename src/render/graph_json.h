#pragma once

#include <cstdint>
#include <streambuf>
#include <vector>

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

// The lists writeGraphJson writes, as 32-bit numbers, for a front end that
// hands them on as arrays: the cells' positions (x, y of each in turn), or
// the pairs (i, j of each in turn) of neighbours or of passages. Throws
// std::length_error for a maze of more cells than 32 bits can number.
enum class GraphList { Cells, Neighbours, Passages };
std::vector<std::int32_t> graphList(const ShapeMaze& maze, GraphList list);
std::vector<std::int32_t> graphList(const WallGrid& grid, GraphList list);

}  // namespace nitka
