#include "carve/shape_wilson.h"

#include <cstdint>

#include "carve/shape_steps.h"
#include "shape/cell_fill.h"

namespace nitka {

namespace {

// A cell's scratch holds kInTree, 0 before its island is known, or the place
// of the neighbour its walk last left it for plus 1 (a fill mark until then).
// Keeping only the last exit erases the walk's loops for free: following the
// exits from the walk's start retraces the loop-erased path into the tree.
// The fill first marks the root's whole island, so that no walk sets out
// where the tree cannot be reached: on a mask in pieces it would never end.
template <typename Observer>
void carve(ShapeMaze& maze, SeededRandom& random, Observer& observer) {
    constexpr std::uint8_t kInTree = 8;
    const Topology& topology = maze.topology();
    const auto plant = [&](CellId root) {
        fillJoinedCells(maze, root, [](CellId, CellId) { return true; });
        maze.setScratch(root, kInTree);
        observer.mark(root, CellRole::Done);
    };
    plant(drawCell(topology, random));
    NeighbourArray list{};
    for (CellId start = 0; start < topology.slotCount(); ++start) {
        if (!topology.isCell(start) || maze.scratch(start) == kInTree) {
            continue;
        }
        if (maze.scratch(start) == 0) {
            plant(start);
            continue;
        }
        observer.mark(start, CellRole::Walk);
        observer.current(start);
        for (CellId cell = start; maze.scratch(cell) != kInTree;) {
            const int place = randomPlace(topology.neighbours(cell, list), random);
            maze.setScratch(cell, static_cast<std::uint8_t>(place + 1));
            cell = neighbourAt(list, place);
            if (maze.scratch(cell) != kInTree) {
                observer.mark(cell, CellRole::Walk);
            }
            observer.current(cell);
        }
        for (CellId cell = start; maze.scratch(cell) != kInTree;) {
            topology.neighbours(cell, list);
            const CellId next = neighbourAt(list, maze.scratch(cell) - 1);
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

void carveShapeWilson(ShapeMaze& maze, SeededRandom& random) {
    NoCarveObserver none;
    carve(maze, random, none);
}

void carveShapeWilson(ShapeMaze& maze, SeededRandom& random, CarveObserver& observer) {
    carve(maze, random, observer);
}

}  // namespace nitka
