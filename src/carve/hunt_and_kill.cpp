#include "carve/hunt_and_kill.h"

#include <cstdint>

#include "carve/wall_steps.h"

namespace nitka {

// The walk starts in the first cell so that every cell before the first
// unvisited one is visited: that cell then always has a visited neighbour above
// or to its left, the hunt finds it without a rescan, and all hunts together
// pass over the grid once.
void carveHuntAndKill(WallGrid& grid, SeededRandom& random) {
    constexpr std::uint8_t kVisited = 1;
    const std::uint64_t cells = grid.cellCount();
    const auto visited = [&grid](GridCell cell) { return grid.scratch(grid.index(cell)) != 0; };
    const auto unvisited = [&grid](GridCell cell) { return grid.scratch(grid.index(cell)) == 0; };
    GridCell cell{0, 0};
    grid.setScratch(0, kVisited);
    std::uint64_t hunt = 1;
    while (true) {
        for (StepChoice choice = stepsWhere(grid, cell, unvisited); !choice.empty();
             choice = stepsWhere(grid, cell, unvisited)) {
            const Step step = choice.draw(random);
            openWall(grid, cell, step);
            cell = neighbour(cell, step);
            grid.setScratch(grid.index(cell), kVisited);
        }
        while (hunt < cells && grid.scratch(hunt) != 0) {
            ++hunt;
        }
        if (hunt == cells) {
            break;
        }
        cell = cellAt(grid, hunt);
        openWall(grid, cell, stepsWhere(grid, cell, visited).draw(random));
        grid.setScratch(hunt, kVisited);
    }
    grid.clearScratch();
}

}  // namespace nitka
