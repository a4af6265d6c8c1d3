#pragma once

#include "grid/wall_grid.h"
#include "storage/maze_reader.h"

namespace nitka {

// Reads one line per cell into grid, row by row from the top, after
// readMazeHeader has read the size: top flag, left flag, the rest of the line
// skipped, under all of the reader's rules. A flag keeps the class of its
// number's low eight bits. Holds nothing but the grid, so a file of any size
// streams in; lines after the last cell are not read.
// Requires: grid of the size the header gave.
void readGridCells(MazeReader& reader, WallGrid& grid);

}  // namespace nitka
