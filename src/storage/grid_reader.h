#pragma once

#include "grid/wall_grid.h"
#include "storage/maze_reader.h"

namespace nitka {

// Reads one line per cell into grid, row by row from the top, after
// readMazeHeader has read the size: top flag, left flag, the rest of the line
// skipped, under all of the reader's rules. A flag keeps the class of its
// number's low eight bits. Holds nothing but the grid, so a file of any size
// streams in; lines after the last cell are not read. Returns how many cells
// were read whole, both flags present, before the file ended (a Ctrl+Z ends
// it too): grid.cellCount() for a whole file. The cells after those read as
// the window reads them, a missing flag as 0.
// Requires: grid of the size the header gave.
std::uint64_t readGridCells(MazeReader& reader, WallGrid& grid);

}  // namespace nitka
