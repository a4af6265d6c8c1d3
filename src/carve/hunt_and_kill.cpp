#include "carve/hunt_and_kill.h"

#include <cstdint>

#include "carve/carve_observer.h"
#include "carve/wall_steps.h"

namespace nitka {

// The walk starts in the first cell so that every cell before the first
// unvisited one is visited: that cell then always has a visited neighbour above
// or to its left, the hunt finds it without a rescan, and all hunts together
// pass over the grid once.
namespace {

template <typename Observer>
void carve(WallGrid& grid, SeededRandom& random, Observer& observer) {
    constexpr std::uint8_t kVisited = 1;
    const std::uint64_t cells = grid.cellCount();
    const auto visited = [&grid](GridCell cell) { return grid.scratch(grid.index(cell)) != 0; };
    const auto unvisited = [&grid](GridCell cell) { return grid.scratch(grid.index(cell)) == 0; };
    GridCell cell{0, 0};
    grid.setScratch(0, kVisited);
    observer.mark(0, CellRole::Done);
    observer.current(0);
    std::uint64_t hunt = 1;
    while (true) {
        for (StepChoice choice = stepsWhere(grid, cell, unvisited); !choice.empty();
             choice = stepsWhere(grid, cell, unvisited)) {
            const Step step = choice.draw(random);
            openWall(grid, cell, step);
            const std::size_t from = grid.index(cell);
            cell = neighbour(cell, step);
            grid.setScratch(grid.index(cell), kVisited);
            observer.opened(from, grid.index(cell));
            observer.mark(grid.index(cell), CellRole::Done);
            observer.current(grid.index(cell));
        }
        while (hunt < cells && grid.scratch(hunt) != 0) {
            ++hunt;
        }
        if (hunt == cells) {
            break;
        }
        cell = cellAt(grid, hunt);
        const Step join = stepsWhere(grid, cell, visited).draw(random);
        openWall(grid, cell, join);
        grid.setScratch(hunt, kVisited);
        observer.current(hunt);
        observer.opened(hunt, grid.index(neighbour(cell, join)));
        observer.mark(hunt, CellRole::Done);
    }
    grid.clearScratch();
}

}  // namespace

void carveHuntAndKill(WallGrid& grid, SeededRandom& random) {
    NoCarveObserver none;
    carve(grid, random, none);
}

void carveHuntAndKill(WallGrid& grid, SeededRandom& random, CarveObserver& observer) {
    carve(grid, random, observer);
}

}  // namespace nitka
