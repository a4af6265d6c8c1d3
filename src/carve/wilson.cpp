#include "carve/carver_instances.h"

#include <cstdint>

#include "carve/shape_steps.h"
#include "carve/walk_islands.h"
#include "shape/maze_view.h"

namespace nitka {
namespace {

// A cell's scratch holds kInTree, a fill mark while its island waits for its
// tree (0 on the rectangle, which needs no fill), or the move its walk last
// left it by plus 1. Keeping only the last exit
// erases the walk's loops for free: following the exits from the walk's
// start retraces the loop-erased path into the tree.
template <typename View, typename Observer>
void carveWilsonOn(const View& maze, SeededRandom& random, Observer& observer) {
    constexpr std::uint8_t kInTree = 8;
    static_assert(kInTree > kFillStart);
    const auto& layout = maze.layout();
    if (loneGridCell(maze, observer)) {
        return;
    }
    const auto plant = [&](CellId root) {
        markIsland(maze, root);
        maze.setScratch(root, kInTree);
        observer.mark(root, CellRole::Done);
    };
    plant(drawCell(layout, random));
    using Walk = RandomWalk<std::remove_cvref_t<decltype(layout)>>;
    for (CellId start = 0; start < layout.slotCount(); ++start) {
        if (!layout.isCell(start) || maze.scratch(start) == kInTree) {
            continue;
        }
        if (!kGridLayout<std::remove_cvref_t<decltype(layout)>> && maze.scratch(start) == 0) {
            plant(start);
            continue;
        }
        observer.mark(start, CellRole::Walk);
        observer.current(start);
        for (Walk walk(layout, start); maze.scratch(walk.cell()) != kInTree;) {
            const CellId from = walk.cell();
            maze.setScratch(from, static_cast<std::uint8_t>(walk.step(random) + 1));
            const CellId cell = walk.cell();
            if (maze.scratch(cell) != kInTree) {
                observer.mark(cell, CellRole::Walk);
            }
            observer.current(cell);
        }
        for (CellId cell = start; maze.scratch(cell) != kInTree;) {
            const CellId next = Walk::moveFrom(layout, cell, maze.scratch(cell) - 1);
            maze.setScratch(cell, kInTree);
            maze.setOpen(cell, next, true);
            observer.opened(cell, next);
            observer.mark(cell, CellRole::Done);
            cell = next;
        }
    }
    maze.clearScratch();
}

}  // namespace

template <CarveListener Observer, CarvedMaze Maze>
void carveWilson(Maze& maze, SeededRandom& random, Observer&& observer) {
    withMazeView(maze, [&](const auto& view) { carveWilsonOn(view, random, observer); });
}

NITKA_GENERAL_CARVER(carveWilson);

}  // namespace nitka
