#include "carve/wilson.h"

#include <cstdint>

#include "carve/carve_observer.h"
#include "carve/wall_steps.h"
#include "carve/wide_draw.h"

namespace nitka {

namespace {

// A cell's scratch holds either kInTree or the step its walk last left it by.
// Keeping only the last exit erases the walk's loops for free: following the
// exits from the walk's start retraces the loop-erased path into the tree.
template <typename Observer>
void carve(WallGrid& grid, SeededRandom& random, Observer& observer) {
    const std::uint64_t cells = grid.cellCount();
    if (cells == 1) {
        observer.mark(0, CellRole::Done);
        return;
    }
    constexpr std::uint8_t kInTree = 8;
    const std::uint64_t root = drawBelow(random, cells);
    grid.setScratch(root, kInTree);
    observer.mark(root, CellRole::Done);
    for (std::uint64_t start = 0; start < cells; ++start) {
        if (grid.scratch(start) == kInTree) {
            continue;
        }
        observer.mark(start, CellRole::Walk);
        observer.current(start);
        for (GridCell cell = cellAt(grid, start); grid.scratch(grid.index(cell)) != kInTree;) {
            const Step step = randomStep(grid, cell, random);
            grid.setScratch(grid.index(cell), static_cast<std::uint8_t>(step));
            cell = neighbour(cell, step);
            if (grid.scratch(grid.index(cell)) != kInTree) {
                observer.mark(grid.index(cell), CellRole::Walk);
            }
            observer.current(grid.index(cell));
        }
        for (GridCell cell = cellAt(grid, start); grid.scratch(grid.index(cell)) != kInTree;) {
            const std::size_t i = grid.index(cell);
            const auto step = static_cast<Step>(grid.scratch(i));
            grid.setScratch(i, kInTree);
            openWall(grid, cell, step);
            observer.opened(i, grid.index(neighbour(cell, step)));
            observer.mark(i, CellRole::Done);
            cell = neighbour(cell, step);
        }
    }
    grid.clearScratch();
}

}  // namespace

void carveWilson(WallGrid& grid, SeededRandom& random) {
    NoCarveObserver none;
    carve(grid, random, none);
}

void carveWilson(WallGrid& grid, SeededRandom& random, CarveObserver& observer) {
    carve(grid, random, observer);
}

}  // namespace nitka
