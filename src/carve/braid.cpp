#include "carve/braid.h"

#include <bit>
#include <cassert>
#include <cmath>
#include <cstdint>

#include "carve/wall_steps.h"
#include "carve/wide_draw.h"

namespace nitka {
namespace {

// Ways out of the cell, counted as the route search moves.
int waysOut(const WallGrid& grid, GridCell cell) {
    return std::popcount(passableSteps(grid, cell));
}

bool deadEnd(const WallGrid& grid, GridCell cell) {
    return waysOut(grid, cell) == 1;
}

// Calls visit(cell, index) for the cells in row order until it returns false.
template <typename Visit>
void eachCell(const WallGrid& grid, Visit&& visit) {
    std::size_t i = 0;
    for (int y = 0; y < grid.height(); ++y) {
        for (int x = 0; x < grid.width(); ++x, ++i) {
            if (!visit(GridCell{x, y}, i)) {
                return;
            }
        }
    }
}

// The steps from cell through a closed inner wall, only to dead ends if asked.
StepChoice closedSteps(const WallGrid& grid, GridCell cell, bool toDeadEnds) {
    StepChoice choice;
    for (int s = 0; s < 4; ++s) {
        const auto step = static_cast<Step>(s);
        const GridCell next = neighbour(cell, step);
        if (grid.contains(next) && grid.edge(cell, step) == Flag::Wall &&
            (!toDeadEnds || deadEnd(grid, next))) {
            choice.add(step);
        }
    }
    return choice;
}

}  // namespace

std::uint64_t countDeadEnds(const WallGrid& grid) {
    std::uint64_t count = 0;
    eachCell(grid, [&](GridCell cell, std::size_t) {
        count += waysOut(grid, cell) == 1 ? 1 : 0;
        return true;
    });
    return count;
}

// One pass in row order with selection sampling: a dead end is taken with the
// chance (still to remove) / (dead ends from here on), which picks a uniformly
// random set of the wanted size without a list of them. Opening a wall never
// makes a new dead end in a carved maze, so the count from here on only falls.
void braid(WallGrid& grid, double share, SeededRandom& random) {
    assert(share >= 0 && share <= 1);
    std::uint64_t ahead = countDeadEnds(grid);
    const auto wanted =
        static_cast<std::uint64_t>(std::llround(share * static_cast<double>(ahead)));
    std::uint64_t removed = 0;
    // Only a maze with a walled-in cell could gain a dead end, but stay sound.
    const auto passed = [&ahead] { ahead -= ahead > 0 ? 1 : 0; };
    eachCell(grid, [&](GridCell cell, std::size_t i) {
        if (removed >= wanted) {
            return false;
        }
        if (waysOut(grid, cell) != 1) {
            return true;
        }
        const std::uint64_t still = wanted - removed;
        const bool take = still >= ahead || drawBelow(random, ahead) < still;
        passed();
        if (!take) {
            return true;
        }
        StepChoice choice = closedSteps(grid, cell, true);
        const bool pair = !choice.empty();
        if (!pair) {
            choice = closedSteps(grid, cell, false);
        }
        if (choice.empty()) {
            return true;
        }
        const Step step = choice.draw(random);
        openWall(grid, cell, step);
        ++removed;
        if (pair) {
            ++removed;
            if (grid.index(neighbour(cell, step)) > i) {
                passed();
            }
        }
        return true;
    });
}

}  // namespace nitka
