#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "grid/wall_grid.h"

namespace nitka::testing {

// Inner walls open between two cells of the maze.
inline std::uint64_t openInnerWalls(const WallGrid& grid) {
    std::uint64_t open = 0;
    for (int y = 0; y < grid.height(); ++y) {
        for (int x = 0; x < grid.width(); ++x) {
            const std::size_t i = grid.index({x, y});
            open += (x > 0 && grid.left(i) == Flag::Open ? 1 : 0) +
                    (y > 0 && grid.top(i) == Flag::Open ? 1 : 0);
        }
    }
    return open;
}

inline bool scratchClear(const WallGrid& grid) {
    for (std::uint64_t i = 0; i < grid.cellCount(); ++i) {
        if (grid.scratch(i) != 0) {
            return false;
        }
    }
    return true;
}

// Every flag of the grid, one letter each, to compare two grids.
inline std::string flagText(const WallGrid& grid) {
    std::string text;
    for (std::uint64_t i = 0; i < grid.cellCount(); ++i) {
        text += static_cast<char>('0' + static_cast<int>(grid.top(i)));
        text += static_cast<char>('0' + static_cast<int>(grid.left(i)));
    }
    return text;
}

// A maze drawn with "+--+" and "|  |": a "-" over a cell is its top wall, a
// "|" to its left its left wall.
inline WallGrid gridFromPicture(const std::vector<std::string>& lines) {
    WallGrid grid(static_cast<int>(lines[0].size() / 3), static_cast<int>(lines.size() / 2));
    for (int y = 0; y < grid.height(); ++y) {
        for (int x = 0; x < grid.width(); ++x) {
            const auto row = static_cast<std::size_t>(2 * y);
            const auto column = static_cast<std::size_t>(3 * x);
            const std::size_t i = grid.index({x, y});
            grid.setTop(i, lines[row][column + 1] == '-' ? Flag::Wall : Flag::Open);
            grid.setLeft(i, lines[row + 1][column] == '|' ? Flag::Wall : Flag::Open);
        }
    }
    return grid;
}

}  // namespace nitka::testing
