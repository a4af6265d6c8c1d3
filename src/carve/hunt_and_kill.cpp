#include "carve/carver_instances.h"

#include <cstdint>

#include "carve/shape_steps.h"
#include "shape/maze_view.h"

namespace nitka {
namespace {

// In every layout without holes a cell past the first has a neighbour
// earlier in reading order, so the first unvisited cell always borders a
// visited one and all hunts together pass over the maze once. Only a mask can
// leave it walled in by unvisited cells; the hunt then reads on past it, and
// a hunt that finds no cell at all has reached an island of its own.
template <typename View, typename Observer>
void carveHuntAndKillOn(const View& maze, SeededRandom& random, Observer& observer) {
    constexpr std::uint8_t kVisited = 1;
    const auto& layout = maze.layout();
    const CellId slots = layout.slotCount();
    const auto visited = [&maze](CellId next) { return maze.scratch(next) != 0; };
    const auto unvisited = [&maze](CellId next) { return maze.scratch(next) == 0; };
    LinkArray list{};
    CellId cell = nextUntouched(maze, 0);
    maze.setScratch(cell, kVisited);
    observer.mark(cell, CellRole::Done);
    observer.current(cell);
    CellId hunt = cell;
    while (true) {
        for (NeighbourChoice choice = placesWhere(list, layout.links(cell, list), unvisited);
             !choice.empty(); choice = placesWhere(list, layout.links(cell, list), unvisited)) {
            const CellId next = openDrawn(maze, cell, list, choice, random, observer);
            maze.setScratch(next, kVisited);
            observer.mark(next, CellRole::Done);
            observer.current(next);
            cell = next;
        }
        hunt = nextUntouched(maze, hunt);
        if (hunt == slots) {
            break;
        }
        NeighbourChoice joins;
        for (cell = hunt; cell < slots; cell = nextUntouched(maze, cell + 1)) {
            joins = placesWhere(list, layout.links(cell, list), visited);
            if (!joins.empty()) {
                break;
            }
        }
        // The rectangle's animations tell the hunt's cell before its join:
        // their frames were pinned so.
        if constexpr (kGridLayout<std::remove_cvref_t<decltype(layout)>>) {
            observer.current(hunt);
        }
        if (cell == slots) {
            cell = hunt;
        } else {
            openDrawn(maze, cell, list, joins, random, observer);
        }
        maze.setScratch(cell, kVisited);
        observer.mark(cell, CellRole::Done);
        if constexpr (!kGridLayout<std::remove_cvref_t<decltype(layout)>>) {
            observer.current(cell);
        }
    }
    maze.clearScratch();
}

}  // namespace

template <CarveListener Observer, CarvedMaze Maze>
void carveHuntAndKill(Maze& maze, SeededRandom& random, Observer&& observer) {
    withMazeView(maze, [&](const auto& view) { carveHuntAndKillOn(view, random, observer); });
}

NITKA_GENERAL_CARVER(carveHuntAndKill);

}  // namespace nitka
