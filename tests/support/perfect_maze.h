#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "grid/wall_grid.h"
#include "model/maze_state.h"

namespace nitka::testing {

// Whether grid holds a perfect maze: its outer top and left edges walls, every
// inner flag open or a wall, exactly cells - 1 openings, and every cell
// reachable from the top-left one. Together these leave one route, and only
// one, between any two cells.
inline ::testing::AssertionResult isPerfectMaze(const WallGrid& grid) {
    std::uint64_t openings = 0;
    for (int y = 0; y < grid.height(); ++y) {
        for (int x = 0; x < grid.width(); ++x) {
            const std::size_t cell = grid.index({x, y});
            if (grid.top(cell) == Flag::Other || grid.left(cell) == Flag::Other) {
                return ::testing::AssertionFailure()
                       << "a flag of class Other at " << x << ", " << y;
            }
            if ((y == 0 && grid.top(cell) != Flag::Wall) ||
                (x == 0 && grid.left(cell) != Flag::Wall)) {
                return ::testing::AssertionFailure() << "the outer edge open at " << x << ", " << y;
            }
            openings += (grid.top(cell) == Flag::Open) + (grid.left(cell) == Flag::Open);
        }
    }
    if (openings != grid.cellCount() - 1) {
        return ::testing::AssertionFailure()
               << openings << " openings in " << grid.cellCount() << " cells";
    }

    // With no Other left, passable() is exactly "inside and open".
    std::vector<bool> seen(grid.cellCount());
    std::vector<GridCell> pending{{0, 0}};
    seen[0] = true;
    std::uint64_t reached = 0;
    while (!pending.empty()) {
        const GridCell cell = pending.back();
        pending.pop_back();
        ++reached;
        for (const Step step : {Step::Right, Step::Up, Step::Left, Step::Down}) {
            const GridCell next = neighbour(cell, step);
            if (grid.passable(cell, step) && !seen[grid.index(next)]) {
                seen[grid.index(next)] = true;
                pending.push_back(next);
            }
        }
    }
    if (reached != grid.cellCount()) {
        return ::testing::AssertionFailure()
               << reached << " of " << grid.cellCount() << " cells reachable";
    }
    return ::testing::AssertionSuccess();
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

// The grid as the window's wall array, each flag its class's number, the outer
// right and bottom edges walls.
inline Maze mazeFromGrid(const WallGrid& grid) {
    Maze walls(grid.width() + 1, grid.height() + 1);
    for (int x = 0; x <= grid.width(); ++x) {
        for (int y = 0; y <= grid.height(); ++y) {
            walls[x][y] = {1, 1};
            if (grid.contains({x, y})) {
                const std::size_t i = grid.index({x, y});
                walls[x][y] = {static_cast<std::uint8_t>(grid.left(i)),
                               static_cast<std::uint8_t>(grid.top(i))};
            }
        }
    }
    return walls;
}

}  // namespace nitka::testing
