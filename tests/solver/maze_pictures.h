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
// The last line and column give the bottom and right edges; the two flags that
// stand for no edge are 1, as the wall builders set them.
inline SizedMaze mazeFromPicture(const std::vector<std::string_view>& lines) {
    assert(lines.size() % 2 == 1 && lines[0].size() % 3 == 1);
    const int width = static_cast<int>(lines[0].size() / 3);
    const int height = static_cast<int>(lines.size() / 2);
    SizedMaze maze{width, height, Maze(width + 1, height + 1)};
    const auto flag = [&](int line, int column) -> std::uint8_t {
        const char c = lines[static_cast<std::size_t>(line)][static_cast<std::size_t>(column)];
        return c == ' ' ? 0 : (c == ':' || c == '.') ? 2 : 1;
    };
    for (int x = 0; x <= width; ++x) {
        for (int y = 0; y <= height; ++y) {
            maze.walls[x][y].Top = x < width ? flag(2 * y, 3 * x + 1) : 1;
            maze.walls[x][y].Left = y < height ? flag(2 * y + 1, 3 * x) : 1;
        }
    }
    return maze;
}

}  // namespace nitka::testing
