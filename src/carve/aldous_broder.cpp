#include "carve/carver_instances.h"

#include <cstdint>

#include "carve/shape_steps.h"
#include "carve/walk_islands.h"
#include "shape/maze_view.h"

namespace nitka {
namespace {

template <typename View, typename Observer>
void carveAldousBroderOn(const View& maze, SeededRandom& random, Observer& observer) {
    constexpr std::uint8_t kVisited = 8;
    static_assert(kVisited > kFillStart);
    const auto& layout = maze.layout();
    if (loneGridCell(maze, observer)) {
        return;
    }
    using Walk = RandomWalk<std::remove_cvref_t<decltype(layout)>>;
    CellId scan = 0;
    for (CellId cell = drawCell(layout, random); cell < layout.slotCount();
         cell = scan = nextUntouched(maze, scan)) {
        std::uint64_t unvisited = markIsland(maze, cell) - 1;
        maze.setScratch(cell, kVisited);
        observer.mark(cell, CellRole::Done);
        observer.current(cell);
        for (Walk walk(layout, cell); unvisited > 0;) {
            walk.step(random);
            const CellId next = walk.cell();
            if (maze.scratch(next) != kVisited) {
                maze.setOpen(cell, next, true);
                maze.setScratch(next, kVisited);
                --unvisited;
                observer.opened(cell, next);
                observer.mark(next, CellRole::Done);
            }
            observer.current(next);
            cell = next;
        }
    }
    maze.clearScratch();
}

}  // namespace

template <CarveListener Observer, CarvedMaze Maze>
void carveAldousBroder(Maze& maze, SeededRandom& random, Observer&& observer) {
    withMazeView(maze, [&](const auto& view) { carveAldousBroderOn(view, random, observer); });
}

NITKA_GENERAL_CARVER(carveAldousBroder);

}  // namespace nitka
