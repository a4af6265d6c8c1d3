#pragma once

#include "model/generator.h"
#include "model/maze_state.h"

namespace nitka::testing {

// The smallest example maze: two cells side by side, joined.
//
//    - -
//   |   |
//    - -
inline void carveTwoCellMaze(MazeState& maze) {
    maze.MazeWidth = 2;
    maze.MazeHeight = 1;
    maze.GridMaxX = 4;
    maze.GridMaxY = 2;
    maze.CellSize = 16;
    Initialise(maze);
    maze.CellGrid[1][1] = CellOpen;
    maze.CellGrid[2][1] = CellOpen;
    maze.CellGrid[3][1] = CellOpen;
}

}  // namespace nitka::testing
