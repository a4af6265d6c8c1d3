#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "grid/wall_grid.h"

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
            for (const Flag flag : {grid.top(cell), grid.left(cell)}) {
                if (flag == Flag::Other) {
                    return ::testing::AssertionFailure()
                           << "a flag of class Other at " << x << ", " << y;
                }
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
            if (grid.contains(next) && grid.edge(cell, step) == Flag::Open &&
                !seen[grid.index(next)]) {
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

}  // namespace nitka::testing
