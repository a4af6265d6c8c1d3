#include "carve/shape_aldous_broder.h"

#include <cstdint>

#include "carve/shape_steps.h"
#include "shape/cell_fill.h"

namespace nitka {

// A fill first counts the walk's island, marking its cells: the walk ends when
// it has entered them all, where counting all cells would never end on a mask
// in pieces.
namespace {

template <typename Observer>
void carve(ShapeMaze& maze, SeededRandom& random, Observer& observer) {
    constexpr std::uint8_t kVisited = 8;
    const Topology& topology = maze.topology();
    NeighbourArray list{};
    CellId scan = 0;
    for (CellId cell = drawCell(topology, random); cell < topology.slotCount();
         cell = scan = nextUntouched(maze, scan)) {
        std::uint64_t unvisited =
            fillJoinedCells(maze, cell, [](CellId, CellId) { return true; }) - 1;
        maze.setScratch(cell, kVisited);
        observer.mark(cell, CellRole::Done);
        observer.current(cell);
        while (unvisited > 0) {
            const CellId next =
                neighbourAt(list, randomPlace(topology.neighbours(cell, list), random));
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

void carveShapeAldousBroder(ShapeMaze& maze, SeededRandom& random) {
    NoCarveObserver none;
    carve(maze, random, none);
}

void carveShapeAldousBroder(ShapeMaze& maze, SeededRandom& random, CarveObserver& observer) {
    carve(maze, random, observer);
}

}  // namespace nitka
