#include "carve/braid.h"

#include <cassert>
#include <cmath>
#include <cstdint>

#include "carve/wall_steps.h"
#include "carve/wide_draw.h"

namespace nitka {
namespace {

bool deadEnd(const WallGrid& grid, GridCell cell) {
    int ways = 0;
    for (int s = 0; s < 4; ++s) {
        ways += grid.passable(cell, static_cast<Step>(s)) ? 1 : 0;
    }
    return ways == 1;
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
    for (std::uint64_t i = 0; i < grid.cellCount(); ++i) {
        count += deadEnd(grid, cellAt(grid, i)) ? 1 : 0;
    }
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
    for (std::uint64_t i = 0; i < grid.cellCount() && removed < wanted; ++i) {
        const GridCell cell = cellAt(grid, i);
        if (!deadEnd(grid, cell)) {
            continue;
        }
        const std::uint64_t still = wanted - removed;
        const bool take = still >= ahead || drawBelow(random, ahead) < still;
        passed();
        if (!take) {
            continue;
        }
        StepChoice choice = closedSteps(grid, cell, true);
        const bool pair = !choice.empty();
        if (!pair) {
            choice = closedSteps(grid, cell, false);
        }
        if (choice.empty()) {
            continue;
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
    }
}

}  // namespace nitka
