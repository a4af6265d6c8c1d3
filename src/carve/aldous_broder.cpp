#include "carve/aldous_broder.h"

#include <cstdint>

#include "carve/carve_observer.h"
#include "carve/wall_steps.h"
#include "carve/wide_draw.h"

namespace nitka {

namespace {

template <typename Observer>
void carve(WallGrid& grid, SeededRandom& random, Observer& observer) {
    const std::uint64_t cells = grid.cellCount();
    if (cells == 1) {
        observer.mark(0, CellRole::Done);
        return;
    }
    constexpr std::uint8_t kVisited = 1;
    GridCell cell = cellAt(grid, drawBelow(random, cells));
    grid.setScratch(grid.index(cell), kVisited);
    observer.mark(grid.index(cell), CellRole::Done);
    observer.current(grid.index(cell));
    for (std::uint64_t unvisited = cells - 1; unvisited > 0;) {
        const Step step = randomStep(grid, cell, random);
        const GridCell next = neighbour(cell, step);
        const std::size_t i = grid.index(next);
        if (grid.scratch(i) != kVisited) {
            openWall(grid, cell, step);
            grid.setScratch(i, kVisited);
            --unvisited;
            observer.opened(grid.index(cell), i);
            observer.mark(i, CellRole::Done);
        }
        observer.current(i);
        cell = next;
    }
    grid.clearScratch();
}

}  // namespace

void carveAldousBroder(WallGrid& grid, SeededRandom& random) {
    NoCarveObserver none;
    carve(grid, random, none);
}

void carveAldousBroder(WallGrid& grid, SeededRandom& random, CarveObserver& observer) {
    carve(grid, random, observer);
}

}  // namespace nitka
