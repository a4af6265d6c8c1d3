#include "carve/aldous_broder.h"

#include <cstdint>

#include "carve/wall_steps.h"
#include "carve/wide_draw.h"

namespace nitka {

void carveAldousBroder(WallGrid& grid, SeededRandom& random) {
    const std::uint64_t cells = grid.cellCount();
    if (cells == 1) {
        return;
    }
    constexpr std::uint8_t kVisited = 1;
    GridCell cell = cellAt(grid, drawBelow(random, cells));
    grid.setScratch(grid.index(cell), kVisited);
    for (std::uint64_t unvisited = cells - 1; unvisited > 0;) {
        const Step step = randomStep(grid, cell, random);
        const GridCell next = neighbour(cell, step);
        const std::size_t i = grid.index(next);
        if (grid.scratch(i) != kVisited) {
            openWall(grid, cell, step);
            grid.setScratch(i, kVisited);
            --unvisited;
        }
        cell = next;
    }
    grid.clearScratch();
}

}  // namespace nitka
