#pragma once

#include "solver/maze_pictures.h"

namespace nitka::bench {

using testing::SizedMaze;

// Every inner edge a wall, the outer edges too.
inline SizedMaze walledMaze(int width, int height) {
    SizedMaze maze{width, height, Maze(width + 1, height + 1)};
    for (int x = 0; x <= width; ++x) {
        for (int y = 0; y <= height; ++y) {
            maze.walls[x][y] = WallPair{1, 1};
        }
    }
    return maze;
}

inline void openRight(SizedMaze& maze, int x, int y) {
    maze.walls[x + 1][y].Left = 0;
}
inline void openBelow(SizedMaze& maze, int x, int y) {
    maze.walls[x][y + 1].Top = 0;
}

// One route through every cell: along row 0 to the right, down at the end,
// back along row 1, and so on. With an even height it ends at (0, height - 1).
inline SizedMaze serpentineMaze(int width, int height) {
    SizedMaze maze = walledMaze(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x + 1 < width; ++x) {
            openRight(maze, x, y);
        }
        if (y + 1 < height) {
            openBelow(maze, y % 2 == 0 ? width - 1 : 0, y);
        }
    }
    return maze;
}

// The hardest maze known for a search that may enter a cell again along each
// new route: the first step from the start (right) leads into an open block of
// (side - 1) x (side - 1) cells that does not reach the target, so such a search
// walks every self-avoiding path through the block before it tries the last
// step (below), into the corridor down column 0 and along the bottom row.
inline SizedMaze decoyMaze(int side) {
    SizedMaze maze = walledMaze(side, side);
    openRight(maze, 0, 0);
    for (int step = 0; step + 1 < side; ++step) {
        openBelow(maze, 0, step);
        openRight(maze, step, side - 1);
    }
    for (int x = 1; x < side; ++x) {
        for (int y = 0; y + 1 < side; ++y) {
            if (x + 1 < side) {
                openRight(maze, x, y);
            }
            if (y + 2 < side) {
                openBelow(maze, x, y);
            }
        }
    }
    return maze;
}

}  // namespace nitka::bench
