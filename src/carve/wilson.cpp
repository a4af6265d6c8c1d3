#include "carve/wilson.h"

#include <cstdint>

#include "carve/wall_steps.h"
#include "carve/wide_draw.h"

namespace nitka {

// A cell's scratch holds either kInTree or the step its walk last left it by.
// Keeping only the last exit erases the walk's loops for free: following the
// exits from the walk's start retraces the loop-erased path into the tree.
void carveWilson(WallGrid& grid, SeededRandom& random) {
    const std::uint64_t cells = grid.cellCount();
    if (cells == 1) {
        return;
    }
    constexpr std::uint8_t kInTree = 8;
    grid.setScratch(drawBelow(random, cells), kInTree);
    for (std::uint64_t start = 0; start < cells; ++start) {
        if (grid.scratch(start) == kInTree) {
            continue;
        }
        for (GridCell cell = cellAt(grid, start); grid.scratch(grid.index(cell)) != kInTree;) {
            const Step step = randomStep(grid, cell, random);
            grid.setScratch(grid.index(cell), static_cast<std::uint8_t>(step));
            cell = neighbour(cell, step);
        }
        for (GridCell cell = cellAt(grid, start); grid.scratch(grid.index(cell)) != kInTree;) {
            const std::size_t i = grid.index(cell);
            const auto step = static_cast<Step>(grid.scratch(i));
            grid.setScratch(i, kInTree);
            openWall(grid, cell, step);
            cell = neighbour(cell, step);
        }
    }
    grid.clearScratch();
}

}  // namespace nitka
