#include "carve/shape_growing_tree.h"

#include <cassert>
#include <cmath>
#include <cstdint>
#include <vector>

#include "carve/cell_index.h"
#include "carve/growing_cells.h"
#include "carve/shape_steps.h"

namespace nitka {
namespace {

using growing_tree::GrowingCells;
using growing_tree::kChanceScale;
using growing_tree::kRetired;
using growing_tree::kVisited;

template <typename Index, typename Observer>
void carveShapeGrowingTreeWith(ShapeMaze& maze, GrowingTreePick pick, double newestShare,
                               SeededRandom& random, Observer& observer) {
    const auto newestChance = static_cast<int>(std::lround(newestShare * kChanceScale));
    const Topology& topology = maze.topology();
    const auto unvisited = [&maze](CellId next) { return maze.scratch(next) == 0; };
    GrowingCells<ShapeMaze, Index> growing(maze, topology.cellCount());
    NeighbourArray list{};
    CellId seed = drawCell(topology, random);
    CellId scan = 0;
    while (seed < topology.slotCount()) {
        maze.setScratch(seed, kVisited);
        growing.add(seed);
        observer.mark(seed, CellRole::Frontier);
        observer.current(seed);
        while (!growing.empty()) {
            const std::size_t place = growing.chosen(pick, newestChance, random);
            const CellId cell = growing.at(place);
            const NeighbourChoice choice =
                placesWhere(list, topology.neighbours(cell, list), unvisited);
            observer.current(cell);
            if (choice.empty()) {
                growing.retire(place);
                observer.mark(cell, CellRole::Done);
                continue;
            }
            const CellId next = neighbourAt(list, choice.draw(random));
            maze.setOpen(cell, next, true);
            maze.setScratch(next, kVisited);
            growing.add(next);
            observer.opened(cell, next);
            observer.mark(next, CellRole::Frontier);
        }
        // An island of a mask that falls apart grows a tree of its own.
        seed = scan = nextUntouched(maze, scan);
    }
    maze.clearScratch();
}

}  // namespace

void carveShapeGrowingTree(ShapeMaze& maze, GrowingTreePick pick, double newestShare,
                           SeededRandom& random) {
    assert(newestShare >= 0 && newestShare <= 1);
    NoCarveObserver none;
    withCellIndex(maze.topology().slotCount(), [&]<typename Index>() {
        carveShapeGrowingTreeWith<Index>(maze, pick, newestShare, random, none);
    });
}

void carveShapeGrowingTree(ShapeMaze& maze, GrowingTreePick pick, double newestShare,
                           SeededRandom& random, CarveObserver& observer) {
    assert(newestShare >= 0 && newestShare <= 1);
    withCellIndex(maze.topology().slotCount(), [&]<typename Index>() {
        carveShapeGrowingTreeWith<Index>(maze, pick, newestShare, random, observer);
    });
}

}  // namespace nitka
