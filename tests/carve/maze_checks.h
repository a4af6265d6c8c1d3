#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "grid/wall_grid.h"

namespace nitka::testing {

// What a carving left in the grid, found by the test's own flood fill.
struct MazeCensus {
    std::uint64_t openInnerWalls = 0;
    std::uint64_t reached = 0;  // cells joined to the top left one
    bool borderClosed = true;   // the top row's top and left column's left flags
    bool onlyOpenOrWall = true;
    bool scratchClear = true;
};

inline MazeCensus takeCensus(const WallGrid& grid) {
    MazeCensus census;
    const int width = grid.width();
    for (int y = 0; y < grid.height(); ++y) {
        for (int x = 0; x < width; ++x) {
            const std::size_t i = grid.index({x, y});
            for (const Flag flag : {grid.left(i), grid.top(i)}) {
                census.onlyOpenOrWall = census.onlyOpenOrWall && flag != Flag::Other;
            }
            census.openInnerWalls += (x > 0 && grid.left(i) == Flag::Open ? 1 : 0) +
                                     (y > 0 && grid.top(i) == Flag::Open ? 1 : 0);
            census.borderClosed = census.borderClosed && (x > 0 || grid.left(i) == Flag::Wall) &&
                                  (y > 0 || grid.top(i) == Flag::Wall);
            census.scratchClear = census.scratchClear && grid.scratch(i) == 0;
        }
    }
    std::vector<char> seen(grid.cellCount());
    std::vector<GridCell> stack{{0, 0}};
    seen[0] = 1;
    while (!stack.empty()) {
        const GridCell cell = stack.back();
        stack.pop_back();
        ++census.reached;
        for (int s = 0; s < 4; ++s) {
            const GridCell next = neighbour(cell, static_cast<Step>(s));
            if (grid.passable(cell, static_cast<Step>(s)) && !seen[grid.index(next)]) {
                seen[grid.index(next)] = 1;
                stack.push_back(next);
            }
        }
    }
    return census;
}

// Perfect: every cell joined to every other by exactly one route.
inline bool isPerfect(const MazeCensus& census, const WallGrid& grid) {
    return census.reached == grid.cellCount() && census.openInnerWalls + 1 == grid.cellCount();
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
