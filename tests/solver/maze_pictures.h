#pragma once

#include <cassert>
#include <cstdint>
#include <string_view>
#include <vector>

#include "model/maze_state.h"

namespace nitka::testing {

// A wall array with the size it stands for.
struct SizedMaze {
    int width = 0;
    int height = 0;
    Maze walls;
};

// Reads a maze drawn as text, three characters per cell:
//
//   +--+--+    "--" top wall, "  " opening, ".." a flag of 2
//   |  :  |    '|'  left wall, ' ' opening, ':'  a flag of 2
//   +--+--+
//
// The last line gives the bottom edge and the last column the right edge. The
// two flags that stand for no edge are set to 1, as the wall builders do.
inline SizedMaze mazeFromPicture(const std::vector<std::string_view>& lines) {
    assert(lines.size() % 2 == 1 && lines[0].size() % 3 == 1);
    SizedMaze maze;
    maze.width = static_cast<int>(lines[0].size() / 3);
    maze.height = static_cast<int>(lines.size() / 2);
    maze.walls = Maze(maze.width + 1, maze.height + 1);
    const auto flag = [](char c) -> std::uint8_t {
        return c == ' ' ? 0 : (c == ':' || c == '.') ? 2 : 1;
    };
    for (int y = 0; y <= maze.height; ++y) {
        const std::string_view edges = lines[static_cast<std::size_t>(2 * y)];
        for (int x = 0; x <= maze.width; ++x) {
            WallPair& pair = maze.walls[x][y];
            pair.Top = x < maze.width ? flag(edges[static_cast<std::size_t>(3 * x + 1)]) : 1;
            pair.Left = y < maze.height ? flag(lines[static_cast<std::size_t>(2 * y + 1)]
                                                    [static_cast<std::size_t>(3 * x)])
                                        : 1;
        }
    }
    return maze;
}

// Every edge of a width x height maze set to wall, or (walled false) only the
// outer ones.
inline SizedMaze boxMaze(int width, int height, bool walled) {
    SizedMaze maze{width, height, Maze(width + 1, height + 1)};
    for (int x = 0; x <= width; ++x) {
        for (int y = 0; y <= height; ++y) {
            maze.walls[x][y].Left = (walled || x == 0 || x == width || y == height) ? 1 : 0;
            maze.walls[x][y].Top = (walled || y == 0 || y == height || x == width) ? 1 : 0;
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
    SizedMaze maze = boxMaze(width, height, true);
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
    SizedMaze maze = boxMaze(side, side, true);
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

}  // namespace nitka::testing
